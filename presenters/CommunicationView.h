#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/OperatorWindow.h"
#include "operations/PortList.h"

// The communication dialog as its flows see it: the link lists, the current area and the area
// list with its "Store" button. rvtool's dialog implements it. Nothing here sends anything to
// the camera or calls back into the flows.
class CommunicationView : public OperatorWindow {
public:
    using PortItem = ::PortItem;

    virtual void SelectCategory(int32_t category) = 0;
    // Replaces the port list; nothing is selected until SelectPort.
    virtual void ShowPorts(const std::vector<PortItem>& ports) = 0;
    virtual void SelectPort(int32_t index) = 0;
    virtual void SelectBaudIndex(int32_t index) = 0;
    // The "Baud Rate" label and list, shown and enabled or hidden and disabled together.
    virtual void ShowBaudRateControls(bool shown) = 0;
    virtual void ShowCurrentAreaName(const std::string& name) = 0;
    // The position of the area list's selection (the area number); -1 for none.
    virtual int32_t SelectedArea() = 0;
    virtual void SelectArea(int32_t area) = 0;
    virtual void EnableStore(bool enable) = 0;
};
