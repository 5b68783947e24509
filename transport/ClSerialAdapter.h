#pragma once

#include <cstdint>
#include <string>

// One generation of the Camera Link serial interface, as the camera port uses it: its ports
// listed and named, one of them open at a time.
class ClSerialAdapter {
public:
    virtual ~ClSerialAdapter() = default;

    // Lists the ports afresh and returns their number.
    virtual int32_t GetPortCount() = 0;
    virtual std::string GetPortName(int32_t index) const = 0;
    virtual bool Open(int32_t index) = 0;
    virtual bool SetBaudRate(int32_t baudRate) = 0;
    virtual bool Write(const char* bytes, int32_t count, int32_t timeoutMs) = 0;
    virtual int32_t Read(char* buffer, int32_t count, int32_t timeoutMs) = 0;
    virtual bool IsOpen() const = 0;
    virtual void Close() = 0;
};
