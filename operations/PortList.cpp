#include "operations/PortList.h"

#include "platform/SerialDevice.h"
#include "transport/CameraPort.h"

namespace PortList {

std::vector<PortItem> Of(CameraPort& port) {
    const int32_t count = port.GetPortCount();
    std::vector<PortItem> ports;
    ports.reserve(count > 0 ? static_cast<std::size_t>(count) : 0);
    for (int32_t i = 0; i < count; ++i) {
        PortItem item;
        item.name = port.GetPortName(i);
        // The operator sees which device each COM name stands for on this system.
        if (port.GetCategory() == kComCategory) {
            item.device = SerialDevice::DeviceName(item.name);
        }
        ports.push_back(item);
    }
    return ports;
}

}  // namespace PortList
