#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "transport/ClSerialLink.h"

class ProcessContext;

// The Camera Link serial interface ver. 1.1: one library, libclallserial.so (clallserial.dll),
// that reports every port of every maker, named "<maker> - <port identifier>".
class ClSerialV11Adapter {
public:
    explicit ClSerialV11Adapter(ProcessContext& context);
    ~ClSerialV11Adapter();
    ClSerialV11Adapter(const ClSerialV11Adapter&) = delete;
    ClSerialV11Adapter& operator=(const ClSerialV11Adapter&) = delete;

    // Lists the ports afresh and returns their number; 0 without the library.
    int32_t GetPortCount();
    std::string GetPortName(int32_t index) const;
    bool Open(int32_t index);
    bool SetBaudRate(int32_t baudRate);
    bool Write(const char* bytes, int32_t count, int32_t timeoutMs);
    int32_t Read(char* buffer, int32_t count, int32_t timeoutMs);
    bool IsOpen() const { return library_.link.IsOpen(); }
    void Close();

private:
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
    std::vector<std::string> names_;
    Library library_;
    int32_t openIndex_ = -1;
};
