#include "platform/posix/ComDevicePath.h"

#include <cstdlib>

#include "platform/ComPortName.h"

std::string ComDevicePath(const std::string& portName) {
    const int number = ComPortNumber(portName);
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

std::string PortDevicePath(const std::string& portName) {
    if (!portName.empty() && portName[0] == '/') {
        return portName;
    }
    return ComDevicePath(portName);
}
