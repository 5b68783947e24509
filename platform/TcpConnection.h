#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

// How a connection attempt ended.
enum class TcpConnect {
    Done,
    NameNotFound,  // the resolver knows no such host
    Refused,       // the host answered, but nothing listens on the port
    TimedOut,      // no answer (from the resolver or the host) before the deadline
    Failed,        // any other reason
};

// What ended a wait for received bytes.
enum class TcpWait {
    Input,     // bytes (or the end of the stream) are waiting
    TimedOut,  // the deadline passed
    Released,  // ReleaseWait was called
    Failed,    // the connection broke
};

// One TCP connection to a device server, as a network serial port needs it. One backend file
// per system implements it (BSD sockets on POSIX, Winsock on Windows).
class TcpConnection {
public:
    using Clock = std::chrono::steady_clock;

    virtual ~TcpConnection() = default;
    static std::unique_ptr<TcpConnection> Create();

    // Resolves the host and connects to the first of its addresses that answers, all before
    // the deadline. On failure holds nothing and reason is the system's text (the resolver's
    // for an unknown host).
    virtual TcpConnect Connect(const std::string& host, uint16_t port, Clock::time_point deadline,
                               std::string& reason) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // Sends every byte before the deadline; false when the connection broke or stayed full.
    virtual bool Send(const char* bytes, int32_t count, Clock::time_point deadline) = 0;
    // Blocks until bytes are waiting, the connection breaks, the deadline passes or ReleaseWait
    // is called (Clock::time_point::max() waits without end).
    virtual TcpWait Wait(Clock::time_point deadline) = 0;
    // Makes the current and every later Wait return Released until the next Connect. Called
    // from another thread than the waiting one.
    virtual void ReleaseWait() = 0;
    // Takes what has arrived, at most capacity bytes, without blocking; -1 when the far end
    // closed the connection or it broke.
    virtual int32_t Receive(char* buffer, int32_t capacity) = 0;
};
