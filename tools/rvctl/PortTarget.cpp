#include "tools/rvctl/PortTarget.h"

#include <cctype>

#include "transport/CameraPort.h"
#include "transport/ComPortDriver.h"

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

std::string PortTarget::Name() const {
    if (category == kComCategory) {
        return "COM" + std::to_string(portIndex + 1);
    }
    return "CL" + std::to_string(category) + "-" + std::to_string(portIndex);
}

std::optional<PortTarget> ParsePortTarget(const std::string& text) {
    const std::string name = Upper(text);
    if (name.rfind("COM", 0) == 0) {
        const std::optional<int32_t> number = SmallNumber(name.substr(3));
        if (number && *number >= 1 && *number <= ComPortDriver::kPortCount) {
            return PortTarget{kComCategory, *number - 1};
        }
        return std::nullopt;
    }
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
    return PortTarget{*category, *index};
}
