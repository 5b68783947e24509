#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/SerialInventory.h"

class CameraPort;

// Whether a device stands behind a port's name now.
enum class PortPresence {
    Present,  // the device is there (or the library listed the port)
    Absent,   // nothing opens under the name now
    Network,  // a serial device server: known only once it is opened
};

// A port of the link's category as the operator picks it: its name ("COM3"), the device it
// opens where the system has one, whether that is there, and what the system tells of it.
struct PortItem {
    std::string name;
    std::string device;
    PortPresence presence = PortPresence::Present;
    std::optional<SerialDeviceInfo> hardware;  // a listed serial device: maker, by-id name ...

    // What the system tells of the hardware in a few words: Windows' name for it, or a USB
    // adapter's maker, product and serial number. Empty when it tells nothing.
    std::string HardwareText() const;
    // The name with what the operator needs to pick it, as lists show it:
    // "COM5   /dev/ttyUSB0   FTDI FT232R USB UART A1B2C3", "COM6   /dev/ttyUSB1   (absent)".
    std::string Label() const;
};

namespace PortList {

// Every port of the link's category, each COM-category name with the device it opens on this
// system and whether that is present.
std::vector<PortItem> Of(CameraPort& port);

}  // namespace PortList
