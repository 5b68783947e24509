#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "transport/ClSerialLink.h"

class ProcessContext;

// The Camera Link serial interface of 2000: every libclser*.so (clser*.dll) file in the
// system directory is one maker's library and one port, named by its file name. The
// interface has no baud-rate call: the line runs at 9600 bit/s.
class ClSerial2000Adapter {
public:
    explicit ClSerial2000Adapter(ProcessContext& context);
    ~ClSerial2000Adapter();
    ClSerial2000Adapter(const ClSerial2000Adapter&) = delete;
    ClSerial2000Adapter& operator=(const ClSerial2000Adapter&) = delete;

    // Lists the library files afresh and returns their number.
    int32_t GetPortCount();
    std::string GetPortName(int32_t index) const;
    bool Open(int32_t index);
    bool SetBaudRate(int32_t baudRate);
    bool Write(const char* bytes, int32_t count, int32_t timeoutMs);
    int32_t Read(char* buffer, int32_t count, int32_t timeoutMs);
    bool IsOpen() const { return link_.IsOpen(); }
    void Close();

private:
    ProcessContext& context_;
    std::vector<std::string> names_;
    ClSerialLink link_;
};
