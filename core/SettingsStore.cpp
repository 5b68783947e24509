#include "core/SettingsStore.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/LeadingNumber.h"
#include "core/ProcessContext.h"
#include "core/SettingsBackend.h"

namespace {

struct ValueRow {
    const char* name;
    // A stored number outside these bounds counts as out of range and takes the default.
    int32_t min;
    int32_t max;
};

// The link category is one of four; the COM port list has sixteen entries. A Camera Link
// library's list is only known once the library has been asked, so only its lower end is sure.
const ValueRow kValues[kSettingCount] = {
    {"Previous Application Shutdown Status", INT32_MIN, INT32_MAX},
    {"Communication Mode", 0, 3},
    {"Baudrate", INT32_MIN, INT32_MAX},
    {"Com Port No", 0, 15},
    {"Cameralink 2000 Dll Index", 0, INT32_MAX},
    {"Cameralink 2001 Dll Index", 0, INT32_MAX},
    {"Cameralink Ver11 Dll Index", 0, INT32_MAX},
    {"Control Mode", INT32_MIN, INT32_MAX},
    {"Camera File Path", INT32_MIN, INT32_MAX},
    {"Command Log File Path", INT32_MIN, INT32_MAX},
    // The COM category's port as the operator named it: "COM3", a device path, a network name.
    {"Com Port Name", INT32_MIN, INT32_MAX},
    // Where the windows stood when the program last ended, as WindowPlace texts.
    {"Main Window Place", INT32_MIN, INT32_MAX},
    {"Communication Dialog Place", INT32_MIN, INT32_MAX},
    {"Recent File 1", INT32_MIN, INT32_MAX},
    {"Recent File 2", INT32_MIN, INT32_MAX},
    {"Recent File 3", INT32_MIN, INT32_MAX},
    {"Recent File 4", INT32_MIN, INT32_MAX},
};

// Texts are read through a buffer of this size, as the registry reads them.
constexpr std::size_t kReadBufferSize = 512;
constexpr std::size_t kMaxPathLength = 260;
constexpr std::size_t kMaxWorkingDirectoryLength = 256;

bool ValidIndex(int index) {
    return index >= 0 && index < kSettingCount;
}

std::string WorkingDirectory() {
    std::error_code error;
    std::string directory = std::filesystem::current_path(error).string();
    if (error) {
        return std::string();
    }
    if (directory.size() >= kMaxWorkingDirectoryLength) {
        directory.resize(kMaxWorkingDirectoryLength - 1);
    }
    return directory;
}

// The text as the fixed read buffer delivers it: up to its first zero byte, at most 511 bytes.
std::string AsBufferedText(const std::string& text) {
    std::string result = text.substr(0, text.find('\0'));
    if (result.size() >= kReadBufferSize) {
        result.resize(kReadBufferSize - 1);
    }
    return result;
}

}  // namespace

SettingsStore::SettingsStore(ProcessContext& context) : backend_(context.Get<SettingsBackend>()) {
    ReadDword(kPreviousShutdownStatus, previousShutdownStatus_, 0);
    WriteDword(kPreviousShutdownStatus, 0);
}

SettingsStore::~SettingsStore() {
    WriteDword(kPreviousShutdownStatus, 1);
}

const char* SettingsStore::ValueName(int index) {
    return ValidIndex(index) ? kValues[index].name : "";
}

bool SettingsStore::ReadDword(int index, int32_t& value, int32_t defaultValue) {
    value = defaultValue;
    if (!ValidIndex(index)) {
        return false;
    }
    std::optional<StoredValue> stored = backend_.Read(kValues[index].name);
    if (!stored) {
        return false;
    }
    int32_t number = 0;
    if (stored->isDword) {
        number = static_cast<int32_t>(stored->dword);
    } else {
        // A value stored as text counts by the number its leading characters spell.
        number = LeadingNumber(AsBufferedText(stored->text));
    }
    if (number < kValues[index].min || number > kValues[index].max) {
        return false;
    }
    value = number;
    return true;
}

bool SettingsStore::WriteDword(int index, int32_t value) {
    return ValidIndex(index) &&
           backend_.WriteDword(kValues[index].name, static_cast<uint32_t>(value));
}

bool SettingsStore::ReadPath(int index, std::string& text) {
    if (ValidIndex(index)) {
        std::optional<StoredValue> stored = backend_.Read(kValues[index].name);
        if (stored && !stored->isDword) {
            std::string path = AsBufferedText(stored->text);
            std::error_code error;
            if (!path.empty() && path.size() < kMaxPathLength &&
                std::filesystem::exists(path, error)) {
                text = path;
                return true;
            }
        }
    }
    text = WorkingDirectory();
    return false;
}

bool SettingsStore::WritePath(int index, const std::string& text) {
    return WriteText(index, text);
}

bool SettingsStore::ReadText(int index, std::string& text) {
    text.clear();
    if (!ValidIndex(index)) {
        return false;
    }
    std::optional<StoredValue> stored = backend_.Read(kValues[index].name);
    if (!stored || stored->isDword) {
        return false;
    }
    text = AsBufferedText(stored->text);
    return true;
}

bool SettingsStore::WriteText(int index, const std::string& text) {
    return ValidIndex(index) && backend_.WriteText(kValues[index].name, text);
}
