#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "transport/ClSerialAdapter.h"

class ProcessContext;

// The Camera Link serial interface of 2000: every libclser*.so (clser*.dll) file in the
// system directory is one maker's library and one port, named by its file name. The
// interface has no baud-rate call: the line runs at 9600 bit/s.
class ClSerial2000Adapter : public ClSerialAdapter {
public:
    explicit ClSerial2000Adapter(ProcessContext& context);
    ~ClSerial2000Adapter() override;
    ClSerial2000Adapter(const ClSerial2000Adapter&) = delete;
    ClSerial2000Adapter& operator=(const ClSerial2000Adapter&) = delete;

    // Lists the library files afresh and returns their number.
    int32_t GetPortCount() override;
    bool Open(int32_t index) override;
    bool SetBaudRate(int32_t baudRate) override;

private:
    ClSerialLink& Link() override { return link_; }
    const ClSerialLink& Link() const override { return link_; }
    ProcessContext& context_;
    ClSerialLink link_;
};
