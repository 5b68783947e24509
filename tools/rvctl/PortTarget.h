#pragma once

#include <cstdint>
#include <optional>
#include <string>

// One camera's link: the category and the port of that category. Its name is the COM port's
// ("COM3"), or "CL<category>-<index>" for a Camera Link library's port ("CL2-0").
struct PortTarget {
    int32_t category = 0;
    int32_t portIndex = 0;

    std::string Name() const;
    bool operator==(const PortTarget& other) const {
        return category == other.category && portIndex == other.portIndex;
    }
};

// "COM1" ... "COM16" or "CL1-0" ... in any letter case; nothing for anything else.
std::optional<PortTarget> ParsePortTarget(const std::string& text);
