#include "transport/PortName.h"

#include <cctype>

int ComPortNumber(const std::string& name) {
    if (name.size() < 4 || name.size() > 6 || name[3] == '0' ||
        std::toupper(static_cast<unsigned char>(name[0])) != 'C' ||
        std::toupper(static_cast<unsigned char>(name[1])) != 'O' ||
        std::toupper(static_cast<unsigned char>(name[2])) != 'M') {
        return 0;
    }
    int number = 0;
    for (std::size_t i = 3; i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i]))) {
            return 0;
        }
        number = number * 10 + (name[i] - '0');
    }
    return number <= kHighestComPortNumber ? number : 0;
}

std::optional<std::string> CanonicalPortName(const std::string& text) {
    const int number = ComPortNumber(text);
    if (number > 0) {
        return "COM" + std::to_string(number);
    }
    const bool path = text.size() > 1 && text[0] == '/';
    const bool network = text.rfind("socket://", 0) == 0 || text.rfind("rfc2217://", 0) == 0;
    if (path || network) {
        return text;
    }
    return std::nullopt;
}
