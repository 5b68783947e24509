#pragma once

#include <string>

#include "transport/LinkBackend.h"

class ComPortDriver;

// A serial line reached through the COM port driver: a COM name, a device path or a network
// name of a serial device server. The driver chooses the device for the name.
class SerialLinkBackend : public LinkBackend {
public:
    SerialLinkBackend(ComPortDriver& driver, std::string portName);

    bool Open(int32_t baudRate) override;
    void Close() override;
    bool IsOpen() const override;
    void Write(const std::string& text) override;
    int32_t ReadOnce(char* byte, Clock::time_point deadline) override;
    bool Failed() const override;
    void ReleaseFailed() override;
    bool Reconnect() override;
    std::string Description() const override;
    bool PortInUse() const override;
    int32_t TakeDroppedByteCount() override;

private:
    ComPortDriver& driver_;
    std::string portName_;
};
