#include "tools/rvctl/PortTarget.h"

#include <cctype>

#include "platform/ComPortName.h"
#include "transport/CameraPort.h"
#include "transport/PortName.h"

namespace {

// A whole number of at most six digits and nothing else.
std::optional<int32_t> SmallNumber(const std::string& text) {
    if (text.empty() || text.size() > 6) {
        return std::nullopt;
    }
    int32_t value = 0;
    for (const char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string Upper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

}  // namespace

std::string PortTargetProblem(const std::string& text) {
    return PortNameProblem(text, "CLc-i for port i of Camera Link category c");
}

std::string PortTarget::Name() const {
    if (category == kComCategory) {
        return portName.empty() ? "COM" + std::to_string(portIndex + 1) : portName;
    }
    return "CL" + std::to_string(category) + "-" + std::to_string(portIndex);
}

std::string PortTarget::FileNamePart() const {
    std::string part;
    for (const char c : Name()) {
        const bool separator = c == '/' || c == '\\' || c == ':';
        if (!separator) {
            part += c;
        } else if (!part.empty() && part.back() != '_') {
            part += '_';
        }
    }
    return part;
}

std::optional<PortTarget> ParsePortTarget(const std::string& text) {
    if (const std::optional<std::string> portName = CanonicalPortName(text)) {
        return PortTarget{kComCategory, ComPortNumber(*portName) - 1, *portName};
    }
    const std::string name = Upper(text);
    const std::size_t dash = name.find('-');
    if (name.rfind("CL", 0) != 0 || dash == std::string::npos) {
        return std::nullopt;
    }
    const std::optional<int32_t> category = SmallNumber(name.substr(2, dash - 2));
    const std::optional<int32_t> index = SmallNumber(name.substr(dash + 1));
    if (!category || !index || *category < kCameraLink2000Category ||
        *category > kCameraLinkV11Category) {
        return std::nullopt;
    }
    return PortTarget{*category, *index, std::string()};
}
