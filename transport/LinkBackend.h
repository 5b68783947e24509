#pragma once

#include <chrono>
#include <cstdint>
#include <string>

// One kind of link to the camera's serial line: a serial device (a COM port, a device path, a
// serial device server on the network) or a Camera Link frame grabber's serial channel. The
// camera port chooses one when it opens a port and talks to it through this interface alone,
// so that unplugging, time-outs, the trace and the rate search work alike on every kind.
class LinkBackend {
public:
    using Clock = std::chrono::steady_clock;

    virtual ~LinkBackend() = default;

    // Opens the port the backend was made for at the rate. A failure leaves nothing open; a
    // serial device tells the operator why itself, a Camera Link library through
    // OpenFailureReason.
    virtual bool Open(int32_t baudRate) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Hands every byte to the link; a failed transmission shows as a missing reply.
    virtual void Write(const std::string& text) = 0;
    // At most one received byte, waiting without polling until the deadline at the latest.
    virtual int32_t ReadOnce(char* byte, Clock::time_point deadline) = 0;

    // Whether the open device failed or went away (hang-up, I/O error, dropped connection).
    virtual bool Failed() const = 0;
    // Lets a failed device go, so that its path can come back as the same device.
    virtual void ReleaseFailed() = 0;
    // Opens the port again with the last settings, telling nobody when that fails.
    virtual bool Reconnect() = 0;
    // The port as the operator knows it, for the message log ("COM5 (/dev/ttyUSB0)").
    virtual std::string Description() const = 0;

    // Why the last open failed where the operator has not been told already; empty otherwise.
    virtual std::string OpenFailureReason() const { return std::string(); }
    // Whether the last open was refused because another program holds the port.
    virtual bool PortInUse() const { return false; }
    // Received bytes dropped since the last call because the receive buffer was full.
    virtual int32_t TakeDroppedByteCount() { return 0; }
};
