#include "platform/ComPortName.h"

int ComPortNumber(const std::string& portName) {
    const std::string prefix = "COM";
    if (portName.compare(0, prefix.size(), prefix) != 0 || portName.size() == prefix.size() ||
        portName.size() > prefix.size() + 3 || portName[prefix.size()] == '0') {
        return 0;
    }
    int number = 0;
    for (std::size_t i = prefix.size(); i < portName.size(); ++i) {
        if (portName[i] < '0' || portName[i] > '9') {
            return 0;
        }
        number = number * 10 + (portName[i] - '0');
    }
    return number <= kHighestComPort ? number : 0;
}

int ComPortNumberAnyCase(const std::string& portName) {
    std::string capitals = portName;
    for (char& c : capitals) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return ComPortNumber(capitals);
}
