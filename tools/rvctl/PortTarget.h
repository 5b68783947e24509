#pragma once

#include <cstdint>
#include <optional>
#include <string>

// One camera's link: the category and the port of that category. A COM-category port is known
// by its name ("COM3", "/dev/ttyUSB0", "rfc2217://host:4001"), a Camera Link library's by its
// position, named "CL<category>-<index>" ("CL2-0").
struct PortTarget {
    int32_t category = 0;
    int32_t portIndex = 0;
    std::string portName;  // the COM category's

    std::string Name() const;
    // The name made fit to stand in a file name: no folder separators, no colons.
    std::string FileNamePart() const;
    bool operator==(const PortTarget& other) const { return Name() == other.Name(); }
};

// "COM1" ... "COM256" or "CL1-0" ... in any letter case, a device path ("/dev/ttyUSB0", any
// symlink to one) or a network name ("socket://HOST:PORT", "rfc2217://HOST:PORT"); nothing for
// anything else.
std::optional<PortTarget> ParsePortTarget(const std::string& text);

// Why a text is none of these, for the operator.
std::string PortTargetProblem(const std::string& text);
