#pragma once

#include <cstdint>
#include <string>

class ProcessContext;
class SettingsBackend;

// Index of each persisted value; the rest of the program names values by these.
enum SettingIndex : int {
    kPreviousShutdownStatus = 0,
    kCommunicationMode = 1,
    kBaudrate = 2,
    kComPortNo = 3,
    kCameralink2000DllIndex = 4,
    kCameralink2001DllIndex = 5,
    kCameralinkVer11DllIndex = 6,
    kControlModeValue = 7,
    kCameraFilePath = 8,
    kCommandLogFilePath = 9,
    kComPortName = 10,
    kMainWindowPlace = 11,
    kCommunicationDialogPlace = 12,
    // File > Recent Files, newest first.
    kRecentFile1 = 13,
    kRecentFile2 = 14,
    kRecentFile3 = 15,
    kRecentFile4 = 16,
};

constexpr int kSettingCount = 17;
constexpr int kRecentFileCount = 4;

// The values that outlive a run. Creating the store reads whether the previous run ended
// normally and marks this run as not ended (0); destroying it marks the normal end (1), and
// because every other user of the store is created after it, that is the last write of a run.
class SettingsStore {
public:
    explicit SettingsStore(ProcessContext& context);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    static const char* ValueName(int index);

    // False and the default when the value is missing, unreadable or outside the range its
    // meaning allows (a link category or a port index outside its list).
    bool ReadDword(int index, int32_t& value, int32_t defaultValue);
    bool WriteDword(int index, int32_t value);
    // A stored folder or file that exists; otherwise false and the working directory.
    bool ReadPath(int index, std::string& text);
    bool WritePath(int index, const std::string& text);
    // A stored text as it stands; false and an empty text when it is missing or a number.
    bool ReadText(int index, std::string& text);
    bool WriteText(int index, const std::string& text);
    bool PreviousShutdownNormal() const { return previousShutdownStatus_ == 1; }

private:
    SettingsBackend& backend_;
    int32_t previousShutdownStatus_ = 0;
};
