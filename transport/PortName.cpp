#include "transport/PortName.h"

#include "platform/ComPortName.h"

std::optional<std::string> CanonicalPortName(const std::string& text) {
    const int number = ComPortNumberAnyCase(text);
    if (number > 0) {
        return "COM" + std::to_string(number);
    }
    const bool path = text.size() > 1 && text[0] == '/';
    if (path || IsNetworkPortName(text)) {
        return text;
    }
    return std::nullopt;
}

bool IsNetworkPortName(const std::string& name) {
    return name.rfind("socket://", 0) == 0 || name.rfind("rfc2217://", 0) == 0;
}
