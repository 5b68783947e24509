#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "platform/SerialDevice.h"
#include "platform/TcpConnection.h"
#include "transport/NetworkPortName.h"
#include "transport/TelnetCodec.h"

// A serial line behind a device server on the network, opened by a network port name (see
// NetworkPortName). Raw TCP passes the bytes as they are and leaves the far line as the server
// set it; RFC 2217 sets the far line's rate, 8N1 and flow control on open, purges both of its
// buffers and fails when the server does not confirm the rate. A connection that ends or
// breaks is a failed device, as an unplugged adapter is.
class NetworkSerialDevice : public SerialDevice {
public:
    NetworkSerialDevice();
    ~NetworkSerialDevice() override;

    SerialOpenStep Open(const std::string& portName, const SerialSettings& settings) override;
    std::string OpenFailureReason() const override { return reason_; }
    bool OpenFoundPortInUse() const override { return false; }
    void Close() override;
    bool IsOpen() const override;

    SerialWait WaitForInput() override;
    void ReleaseWait() override;
    int32_t ReadAvailable(char* buffer, int32_t capacity) override;
    bool WriteByte(char byte) override;
    bool Write(const char* bytes, int32_t count) override;

private:
    bool SetFarLine(const SerialSettings& settings, TcpConnection::Clock::time_point deadline,
                    const std::string& within);
    // Waits for the server's answers until done holds; false when the deadline passed or the
    // connection ended first (reason_ then says which).
    template <class Done>
    bool Await(Done done, TcpConnection::Clock::time_point deadline);
    bool SendWire(const std::string& wire, TcpConnection::Clock::time_point deadline);

    std::unique_ptr<TcpConnection> connection_;
    NetworkPortName name_;
    TelnetCodec codec_;
    std::mutex sending_;  // the writer and the receive thread's negotiation answers
    std::string reason_;
};
