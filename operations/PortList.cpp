#include "operations/PortList.h"

#include "platform/SerialDevice.h"
#include "transport/CameraPort.h"
#include "transport/NetworkPortName.h"

std::string PortItem::HardwareText() const {
    if (!hardware) {
        return std::string();
    }
    if (!hardware->description.empty()) {
        return hardware->description;
    }
    std::string text;
    for (const std::string* part :
         {&hardware->maker, &hardware->product, &hardware->serialNumber}) {
        if (!part->empty()) {
            text += (text.empty() ? "" : " ") + *part;
        }
    }
    return text;
}

std::string PortItem::Label() const {
    std::string label = name;
    for (const std::string& part :
         {device, HardwareText(),
          std::string(presence == PortPresence::Absent ? "(absent)" : "")}) {
        if (!part.empty() && part != name) {
            label += "   " + part;
        }
    }
    return label;
}

namespace PortList {

std::vector<PortItem> Of(CameraPort& port) {
    const int32_t count = port.GetPortCount();
    const bool com = port.GetCategory() == kComCategory;
    const SerialInventory& inventory = port.ComInventory();
    std::vector<PortItem> ports;
    ports.reserve(count > 0 ? static_cast<std::size_t>(count) : 0);
    for (int32_t i = 0; i < count; ++i) {
        PortItem item;
        item.name = port.GetPortName(i);
        if (com && NetworkPortName::Is(item.name)) {
            item.presence = PortPresence::Network;
        } else if (com) {
            // The operator sees which device each name stands for on this system, and whether
            // it is there.
            item.device = SerialDevice::DeviceName(item.name);
            const SerialDeviceMatch match = FindSerialDevice(inventory, item.name);
            item.presence = match.present ? PortPresence::Present : PortPresence::Absent;
            if (match.device != nullptr) {
                item.hardware = *match.device;
            }
        }
        ports.push_back(item);
    }
    return ports;
}

}  // namespace PortList
