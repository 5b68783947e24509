#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

// A device server played by the test, on 127.0.0.1: it speaks just enough RFC 2217 to take
// the COM-PORT option and answer SET-BAUDRATE (with the rate asked, or the one it is told to
// keep), and its far line is a loopback plug: every data byte comes back. Builds and runs on
// Linux and, cross-built, under Wine, where no ser2net serves.
class StubDeviceServer {
public:
    // keptRate: the rate every SET-BAUDRATE is answered with; 0 confirms the rate asked.
    explicit StubDeviceServer(uint32_t keptRate = 0);
    ~StubDeviceServer();
    StubDeviceServer(const StubDeviceServer&) = delete;
    StubDeviceServer& operator=(const StubDeviceServer&) = delete;

    // rfc2217://127.0.0.1:PORT; empty when it could not listen.
    std::string PortName() const;
    // Ends the current connection, as a server that is switched off.
    void Drop();
    // From now on it takes connections but answers nothing, as a server that hangs.
    void FallSilent() { silent_ = true; }

private:
    void Serve();
    void CloseClient();
    void Answer(const std::string& wire, std::string& reply);

    uint32_t keptRate_;
    int port_ = 0;
    std::intptr_t listener_ = -1;
    std::atomic<std::intptr_t> client_{-1};
    std::atomic<bool> stopping_{false};
    std::atomic<bool> silent_{false};
    // The parser's state across reads: inside a command, a subnegotiation, after an IAC.
    int state_ = 0;
    std::string subnegotiation_;
    std::thread thread_;
};
