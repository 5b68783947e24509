#include "platform/posix/ComDevicePath.h"

#include <cstdlib>

namespace {

// The number n of "COM<n>", or 0 when the name is not of that form.
int ComNumber(const std::string& portName) {
    const std::string prefix = "COM";
    if (portName.compare(0, prefix.size(), prefix) != 0 || portName.size() == prefix.size() ||
        portName.size() > prefix.size() + 4 || portName[prefix.size()] == '0') {
        return 0;
    }
    int number = 0;
    for (std::size_t i = prefix.size(); i < portName.size(); ++i) {
        if (portName[i] < '0' || portName[i] > '9') {
            return 0;
        }
        number = number * 10 + (portName[i] - '0');
    }
    return number;
}

}  // namespace

std::string ComDevicePath(const std::string& portName) {
    const int number = ComNumber(portName);
    if (number == 0) {
        return std::string();
    }
    const std::string variable = "RVTOOL_" + portName;
    const char* chosen = std::getenv(variable.c_str());
    if (chosen != nullptr && chosen[0] != '\0') {
        return chosen;
    }
    if (number <= 4) {
        return "/dev/ttyS" + std::to_string(number - 1);
    }
    if (number <= 12) {
        return "/dev/ttyUSB" + std::to_string(number - 5);
    }
    if (number <= 16) {
        return "/dev/ttyACM" + std::to_string(number - 13);
    }
    return std::string();
}
