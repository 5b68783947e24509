#pragma once

#include <string>
#include <vector>

class CameraPort;

// A port of the link's category as the operator picks it: its name ("COM3") and, where the
// system has one, the device it opens.
struct PortItem {
    std::string name;
    std::string device;
};

namespace PortList {

// Every port of the link's category, with the device each COM name opens on this system.
std::vector<PortItem> Of(CameraPort& port);

}  // namespace PortList
