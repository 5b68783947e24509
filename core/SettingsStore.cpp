#include "core/SettingsStore.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/ProcessContext.h"
#include "core/SettingsBackend.h"

namespace {

const char* const kValueNames[kSettingCount] = {
    "Previous Application Shutdown Status",
    "Communication Mode",
    "Baudrate",
    "Com Port No",
    "Cameralink 2000 Dll Index",
    "Cameralink 2001 Dll Index",
    "Cameralink Ver11 Dll Index",
    "Control Mode",
    "Camera File Path",
    "Command Log File Path",
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
    return ValidIndex(index) ? kValueNames[index] : "";
}

bool SettingsStore::ReadDword(int index, int32_t& value, int32_t defaultValue) {
    value = defaultValue;
    if (!ValidIndex(index)) {
        return false;
    }
    std::optional<StoredValue> stored = backend_.Read(kValueNames[index]);
    if (!stored) {
        return false;
    }
    if (stored->isDword) {
        value = static_cast<int32_t>(stored->dword);
    } else {
        // A value stored as text counts by the number its leading characters spell.
        const long long number = std::strtoll(AsBufferedText(stored->text).c_str(), nullptr, 10);
        value = static_cast<int32_t>(std::clamp<long long>(number, INT32_MIN, INT32_MAX));
    }
    return true;
}

bool SettingsStore::WriteDword(int index, int32_t value) {
    return ValidIndex(index) &&
           backend_.WriteDword(kValueNames[index], static_cast<uint32_t>(value));
}

bool SettingsStore::ReadPath(int index, std::string& text) {
    if (ValidIndex(index)) {
        std::optional<StoredValue> stored = backend_.Read(kValueNames[index]);
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
    return ValidIndex(index) && backend_.WriteText(kValueNames[index], text);
}
