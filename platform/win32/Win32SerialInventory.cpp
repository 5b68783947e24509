// The COM ports present on Windows: the system lists every port a driver made in the registry
// (HARDWARE\DEVICEMAP\SERIALCOMM), and the device manager's Ports class gives its friendly name.
#include <windows.h>
// The class GUIDs are defined here, not only declared, as initguid.h comes before devguid.h.
// clang-format off
#include <initguid.h>
#include <devguid.h>
// clang-format on
#include <setupapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/ComPortName.h"
#include "platform/NaturalOrder.h"
#include "platform/SerialInventory.h"
#include "platform/win32/Win32ErrorText.h"

namespace {

// The text of a REG_SZ value that may lack its terminating zero.
std::string RegistryText(const char* data, DWORD size) {
    const std::string text(data, size);
    return text.substr(0, text.find('\0'));
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                          b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

// The port a device of the Ports class makes, "COM3"; empty when it makes none (a printer port).
std::string PortNameOf(HDEVINFO set, SP_DEVINFO_DATA& info) {
    HKEY key = SetupDiOpenDevRegKey(set, &info, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE) {
        return std::string();
    }
    char name[64];
    DWORD size = sizeof name;
    DWORD type = 0;
    const LONG result =
        RegQueryValueExA(key, "PortName", nullptr, &type, reinterpret_cast<BYTE*>(name), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && type == REG_SZ ? RegistryText(name, size) : std::string();
}

// Gives each listed port the friendly name the device manager shows for it.
void AddFriendlyNames(std::vector<SerialDeviceInfo>& devices) {
    HDEVINFO set = SetupDiGetClassDevsA(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
    if (set == INVALID_HANDLE_VALUE) {
        return;  // the ports are listed all the same, only without their names
    }
    SP_DEVINFO_DATA info{};
    info.cbSize = sizeof info;
    for (DWORD i = 0; SetupDiEnumDeviceInfo(set, i, &info); ++i) {
        const std::string port = PortNameOf(set, info);
        char name[256];
        DWORD type = 0;
        DWORD size = 0;
        if (port.empty() ||
            !SetupDiGetDeviceRegistryPropertyA(set, &info, SPDRP_FRIENDLYNAME, &type,
                                               reinterpret_cast<BYTE*>(name), sizeof name, &size) ||
            type != REG_SZ) {
            continue;
        }
        for (SerialDeviceInfo& device : devices) {
            if (SameName(device.path, port)) {
                device.description = RegistryText(name, std::min<DWORD>(size, sizeof name));
            }
        }
    }
    SetupDiDestroyDeviceInfoList(set);
}

}  // namespace

SerialInventory ListSerialDevices() {
    SerialInventory inventory;
    HKEY key = nullptr;
    LONG result =
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key);
    if (result == ERROR_FILE_NOT_FOUND) {
        return inventory;  // the key comes with the first port
    }
    if (result != ERROR_SUCCESS) {
        inventory.error =
            "The COM ports cannot be listed: " + Win32ErrorText(static_cast<DWORD>(result));
        return inventory;
    }
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof name;
        char data[64];
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        result = RegEnumValueA(key, i, name, &nameSize, nullptr, &type,
                               reinterpret_cast<BYTE*>(data), &dataSize);
        if (result == ERROR_NO_MORE_ITEMS) {
            break;
        }
        if (result == ERROR_MORE_DATA) {
            continue;  // no port's name is that long
        }
        if (result != ERROR_SUCCESS) {
            inventory.error =
                "The COM ports cannot be listed: " + Win32ErrorText(static_cast<DWORD>(result));
            break;
        }
        SerialDeviceInfo device;
        device.path = type == REG_SZ ? RegistryText(data, dataSize) : std::string();
        if (!device.path.empty()) {
            inventory.devices.push_back(device);
        }
    }
    RegCloseKey(key);
    std::sort(inventory.devices.begin(), inventory.devices.end(),
              [](const SerialDeviceInfo& a, const SerialDeviceInfo& b) {
                  return NaturalLess(a.path, b.path);
              });
    AddFriendlyNames(inventory.devices);
    return inventory;
}

SerialDeviceMatch FindSerialDevice(const SerialInventory& inventory, const std::string& portName) {
    SerialDeviceMatch match;
    if (ComPortNumberAnyCase(portName) == 0) {
        return match;
    }
    for (const SerialDeviceInfo& device : inventory.devices) {
        if (SameName(device.path, portName)) {
            match.present = true;
            match.device = &device;
            break;
        }
    }
    return match;
}
