#include "transport/PortName.h"

#include "platform/ComPortName.h"
#include "transport/NetworkPortName.h"

std::optional<std::string> CanonicalPortName(const std::string& text) {
    const int number = ComPortNumberAnyCase(text);
    if (number > 0) {
        return "COM" + std::to_string(number);
    }
    NetworkPortName network;
    std::string error;
    const bool path = text.size() > 1 && text[0] == '/';
    if (path || (NetworkPortName::Is(text) && NetworkPortName::Parse(text, network, error))) {
        return text;
    }
    return std::nullopt;
}

std::string PortNameProblem(const std::string& text, const std::string& otherForms) {
    NetworkPortName network;
    std::string error;
    if (NetworkPortName::Is(text) && !NetworkPortName::Parse(text, network, error)) {
        return error;
    }
    return "unknown port \"" + text +
           "\": name COM1 ... COM256, a device path (/dev/ttyUSB0, /dev/serial/by-id/...), "
           "socket://HOST:PORT" +
           (otherForms.empty() ? " or rfc2217://HOST:PORT"
                               : ", rfc2217://HOST:PORT or " + otherForms);
}
