#include "platform/posix/CharacterDevice.h"

#include <sys/sysmacros.h>
#include <unistd.h>

#include <climits>

std::string CharacterDeviceKind(dev_t device) {
    const std::string link = "/sys/dev/char/" + std::to_string(major(device)) + ":" +
                             std::to_string(minor(device)) + "/subsystem";
    char target[PATH_MAX];
    const ssize_t length = readlink(link.c_str(), target, sizeof target - 1);
    if (length <= 0) {
        return std::string();
    }
    const std::string subsystem(target, static_cast<std::size_t>(length));
    return subsystem.substr(subsystem.rfind('/') + 1);
}
