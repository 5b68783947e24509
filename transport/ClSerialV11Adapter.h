#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "transport/ClSerialAdapter.h"

class ProcessContext;

// The Camera Link serial interface ver. 1.1: one library, libclallserial.so (clallserial.dll),
// that reports every port of every maker, named "<maker> - <port identifier>".
class ClSerialV11Adapter : public ClSerialAdapter {
public:
    explicit ClSerialV11Adapter(ProcessContext& context);
    ~ClSerialV11Adapter() override;
    ClSerialV11Adapter(const ClSerialV11Adapter&) = delete;
    ClSerialV11Adapter& operator=(const ClSerialV11Adapter&) = delete;

    // Lists the ports afresh and returns their number; 0 without the library.
    int32_t GetPortCount() override;
    bool Open(int32_t index) override;
    bool SetBaudRate(int32_t baudRate) override;

private:
    ClSerialLink& Link() override { return library_.link; }
    const ClSerialLink& Link() const override { return library_.link; }
    struct Library {
        explicit Library(ProcessContext& context) : link(context) {}
        ClSerialLink link;
        ClSetBaudRateFunction setBaudRate = nullptr;
        void* flushPort = nullptr;     // resolved only
        void* getErrorText = nullptr;  // resolved only
        ClGetNumPortsFunction getNumPorts = nullptr;
        void* getNumBytesAvail = nullptr;  // resolved only
        ClGetPortInfoFunction getPortInfo = nullptr;
        ClGetSupportedBaudRatesFunction getSupportedBaudRates = nullptr;
    };
    static bool Load(Library& library);

    ProcessContext& context_;
    Library library_;
    int32_t openIndex_ = -1;
};
