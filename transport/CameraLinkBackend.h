#pragma once

#include <cstdint>
#include <string>

#include "transport/LinkBackend.h"

class ClSerialAdapter;

// The serial channel of a Camera Link frame grabber, through one generation's library.
class CameraLinkBackend : public LinkBackend {
public:
    // portName: the name the library's listing gave the port, for the message log.
    CameraLinkBackend(ClSerialAdapter& adapter, int32_t portIndex, std::string portName);

    // Opens the port, then sets the rate; a refused rate leaves the port open at the library's.
    bool Open(int32_t baudRate) override;
    void Close() override;
    bool IsOpen() const override;
    void Write(const std::string& text) override;
    int32_t ReadOnce(char* byte, Clock::time_point deadline) override;
    bool Failed() const override { return failed_; }
    void ReleaseFailed() override;
    bool Reconnect() override;
    std::string Description() const override;
    std::string OpenFailureReason() const override;

private:
    ClSerialAdapter& adapter_;
    int32_t portIndex_;
    std::string portName_;
    int32_t baudRate_ = 9600;
    bool failed_ = false;  // a read failed on the open port
};
