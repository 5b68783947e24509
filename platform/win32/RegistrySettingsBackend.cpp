#include <windows.h>

#include <memory>
#include <string>

#include "core/SettingsBackend.h"
#include "platform/win32/RegistrySettingsKey.h"

namespace {

// Opens the key with full access; a missing key is created and the access goes on with it.
HKEY OpenKey() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRegistrySettingsKey, 0, KEY_ALL_ACCESS, &key) ==
        ERROR_SUCCESS) {
        return key;
    }
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRegistrySettingsKey, 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        &disposition) == ERROR_SUCCESS) {
        return key;
    }
    return nullptr;
}

class RegistrySettingsBackend : public SettingsBackend {
public:
    std::optional<StoredValue> Read(const std::string& name) override {
        HKEY key = OpenKey();
        if (key == nullptr) {
            return std::nullopt;
        }
        BYTE buffer[512] = {};
        DWORD type = 0;
        DWORD size = sizeof buffer - 1;
        const LONG result = RegQueryValueExA(key, name.c_str(), nullptr, &type, buffer, &size);
        RegCloseKey(key);
        if (result != ERROR_SUCCESS) {
            return std::nullopt;
        }
        StoredValue value;
        if (type == REG_DWORD && size == sizeof(DWORD)) {
            value.isDword = true;
            value.dword = *reinterpret_cast<const DWORD*>(buffer);
        } else {
            value.text.assign(reinterpret_cast<const char*>(buffer), size);
        }
        return value;
    }

    bool WriteDword(const std::string& name, uint32_t value) override {
        HKEY key = OpenKey();
        if (key == nullptr) {
            return false;
        }
        const DWORD data = value;
        const LONG result = RegSetValueExA(key, name.c_str(), 0, REG_DWORD,
                                           reinterpret_cast<const BYTE*>(&data), sizeof data);
        RegCloseKey(key);
        return result == ERROR_SUCCESS;
    }

    bool WriteText(const std::string& name, const std::string& text) override {
        HKEY key = OpenKey();
        if (key == nullptr) {
            return false;
        }
        const LONG result = RegSetValueExA(key, name.c_str(), 0, REG_SZ,
                                           reinterpret_cast<const BYTE*>(text.c_str()),
                                           static_cast<DWORD>(text.size() + 1));
        RegCloseKey(key);
        return result == ERROR_SUCCESS;
    }
};

}  // namespace

std::unique_ptr<SettingsBackend> SettingsBackend::CreateDefault(ProcessContext&) {
    return std::make_unique<RegistrySettingsBackend>();
}
