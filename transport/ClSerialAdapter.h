#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "transport/ClSerialLink.h"

// One generation of the Camera Link serial interface, as the camera port uses it: its ports
// listed and named, one of them open at a time. What the generations do alike is done here,
// on the link each of them keeps.
class ClSerialAdapter {
public:
    virtual ~ClSerialAdapter() = default;

    // Lists the ports afresh and returns their number.
    virtual int32_t GetPortCount() = 0;
    // The name the last listing gave the port; empty beyond it.
    std::string GetPortName(int32_t index) const;
    virtual bool Open(int32_t index) = 0;
    virtual bool SetBaudRate(int32_t baudRate) = 0;
    bool Write(const char* bytes, int32_t count, int32_t timeoutMs) {
        return Link().Write(bytes, count, timeoutMs);
    }
    int32_t Read(char* buffer, int32_t count, int32_t timeoutMs) {
        return Link().Read(buffer, count, timeoutMs);
    }
    bool IsOpen() const { return Link().IsOpen(); }
    void Close() { Link().Close(); }
    // Why the last Open failed where the library is to blame: which files and folders were
    // tried, or what the library lacks. Empty when it opened, or when the port was refused.
    const std::string& OpenFailureReason() const { return openFailure_; }

protected:
    virtual ClSerialLink& Link() = 0;
    virtual const ClSerialLink& Link() const = 0;
    // Sets the rate when the open port's library says it supports it; false otherwise.
    static bool SetSupportedBaudRate(const ClSerialLink& link,
                                     ClGetSupportedBaudRatesFunction getSupported,
                                     ClSetBaudRateFunction set, int32_t baudRate);

    std::vector<std::string> names_;
    std::string openFailure_;
};
