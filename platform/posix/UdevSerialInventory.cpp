// The serial devices present on Linux, as udev knows them from sysfs: the "tty" devices that
// sit on hardware, with a USB adapter's own texts and the links udev made for it.
#include <dirent.h>
#include <libudev.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/NaturalOrder.h"
#include "platform/SerialInventory.h"
#include "platform/posix/CharacterDevice.h"
#include "platform/posix/ComDevicePath.h"

namespace {

std::string Text(const char* value) {
    return value != nullptr ? value : std::string();
}

// The link in the folder that leads to the device, the first by name; empty when none does.
// The folders are read rather than udev's database, which a container may not have.
std::string LinkTo(const std::string& folder, dev_t device) {
    DIR* entries = opendir(folder.c_str());
    if (entries == nullptr) {
        return std::string();
    }
    std::vector<std::string> links;
    while (const dirent* entry = readdir(entries)) {
        if (entry->d_name[0] == '.') {
            continue;
        }
        const std::string link = folder + "/" + entry->d_name;
        struct stat target {};
        if (stat(link.c_str(), &target) == 0 && S_ISCHR(target.st_mode) &&
            target.st_rdev == device) {
            links.push_back(link);
        }
    }
    closedir(entries);
    return links.empty() ? std::string() : *std::min_element(links.begin(), links.end());
}

// Adds the device when it is a serial port with hardware behind it.
void Add(udev_device* device, std::vector<SerialDeviceInfo>& devices) {
    const char* node = udev_device_get_devnode(device);
    // Consoles, /dev/tty and /dev/ptmx have no parent device: nothing to plug a camera into.
    if (node == nullptr || udev_device_get_parent(device) == nullptr) {
        return;
    }
    // The 8250 driver makes ttyS0 ... ttyS31 whether or not a UART answers; the ones without
    // tell the port type 0 (unknown).
    const char* type = udev_device_get_sysattr_value(device, "type");
    if (type != nullptr && std::strcmp(type, "0") == 0) {
        return;
    }
    // A container may see the device in sysfs without its node in /dev.
    struct stat entry {};
    if (stat(node, &entry) != 0 || !S_ISCHR(entry.st_mode)) {
        return;
    }
    SerialDeviceInfo info;
    info.path = node;
    udev_device* usb = udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_device");
    if (usb != nullptr) {
        info.maker = Text(udev_device_get_sysattr_value(usb, "manufacturer"));
        info.product = Text(udev_device_get_sysattr_value(usb, "product"));
        info.serialNumber = Text(udev_device_get_sysattr_value(usb, "serial"));
    }
    info.byId = LinkTo("/dev/serial/by-id", entry.st_rdev);
    info.byPath = LinkTo("/dev/serial/by-path", entry.st_rdev);
    devices.push_back(info);
}

}  // namespace

SerialInventory ListSerialDevices() {
    SerialInventory inventory;
    udev* context = udev_new();
    if (context == nullptr) {
        inventory.error = "The serial devices cannot be listed: udev does not answer";
        return inventory;
    }
    udev_enumerate* enumerate = udev_enumerate_new(context);
    int failed = enumerate == nullptr ? -ENOMEM : 0;
    if (failed == 0) {
        failed = udev_enumerate_add_match_subsystem(enumerate, "tty");
    }
    if (failed == 0) {
        failed = udev_enumerate_scan_devices(enumerate);
    }
    if (failed < 0) {
        inventory.error =
            std::string("The serial devices cannot be listed: ") + std::strerror(-failed);
    } else {
        udev_list_entry* entry = nullptr;
        udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate)) {
            udev_device* device =
                udev_device_new_from_syspath(context, udev_list_entry_get_name(entry));
            if (device != nullptr) {
                Add(device, inventory.devices);
                udev_device_unref(device);
            }
        }
    }
    if (enumerate != nullptr) {
        udev_enumerate_unref(enumerate);
    }
    udev_unref(context);
    std::sort(inventory.devices.begin(), inventory.devices.end(),
              [](const SerialDeviceInfo& a, const SerialDeviceInfo& b) {
                  return NaturalLess(a.path, b.path);
              });
    return inventory;
}

SerialDeviceMatch FindSerialDevice(const SerialInventory& inventory, const std::string& portName) {
    SerialDeviceMatch match;
    const std::string path = PortDevicePath(portName);
    struct stat target {};
    if (path.empty() || stat(path.c_str(), &target) != 0 || !S_ISCHR(target.st_mode)) {
        return match;
    }
    for (const SerialDeviceInfo& info : inventory.devices) {
        struct stat entry {};
        if (stat(info.path.c_str(), &entry) == 0 && entry.st_rdev == target.st_rdev) {
            match.present = true;
            match.device = &info;
            return match;
        }
    }
    // A device the system files (a port without a UART, /dev/null) is present only when it is
    // listed; one it files nowhere, a pseudo terminal, is there when its node is.
    match.present = CharacterDeviceKind(target.st_rdev).empty();
    return match;
}
