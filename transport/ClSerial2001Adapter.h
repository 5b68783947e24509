#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "transport/ClSerialAdapter.h"

class ProcessContext;

// The Camera Link serial interface of 2001: one library, libclserial.so (clserial.dll), that
// reports the grabber makers; a port is a maker, named by the maker's name.
class ClSerial2001Adapter : public ClSerialAdapter {
public:
    explicit ClSerial2001Adapter(ProcessContext& context);
    ~ClSerial2001Adapter() override;
    ClSerial2001Adapter(const ClSerial2001Adapter&) = delete;
    ClSerial2001Adapter& operator=(const ClSerial2001Adapter&) = delete;

    // Lists the makers afresh and returns their number; without the library the previous
    // list stays.
    int32_t GetPortCount() override;
    bool Open(int32_t index) override;
    bool SetBaudRate(int32_t baudRate) override;

private:
    ClSerialLink& Link() override { return library_.link; }
    const ClSerialLink& Link() const override { return library_.link; }
    struct Library {
        explicit Library(ProcessContext& context) : link(context) {}
        ClSerialLink link;
        ClGetManufacturerFunction getManufacturer = nullptr;
        ClGetNumManufacturersFunction getNumManufacturers = nullptr;
        ClSelectManufacturerFunction selectManufacturer = nullptr;
        void* getNumSerialPorts = nullptr;        // resolved only
        void* getSerialPortIdentifier = nullptr;  // resolved only
        ClGetSupportedBaudRatesFunction getSupportedBaudRates = nullptr;
        ClSetBaudRateFunction setBaudRate = nullptr;
        void* getErrorText = nullptr;  // resolved only
    };
    static bool Load(Library& library);

    ProcessContext& context_;
    Library library_;
};
