#pragma once

#include <chrono>
#include <string>

// The host's end of the simulator's line, as a test drives it: raw 8N1 at a chosen rate.
class HostPort {
public:
    using Clock = std::chrono::steady_clock;

    HostPort() = default;
    ~HostPort();
    HostPort(const HostPort&) = delete;
    HostPort& operator=(const HostPort&) = delete;

    bool Open(const std::string& path, int baud);
    bool SetBaud(int baud);
    void Close();

    bool Write(const std::string& bytes);

    // Bytes up to and including an LF, within the time-out; the times when the first byte and
    // the LF arrived. False (with what came so far in line) on time-out.
    bool ReadLine(std::string& line, int timeoutMs, Clock::time_point* first = nullptr,
                  Clock::time_point* last = nullptr);

    // Sends the request with CR LF and returns the answer without its CR LF, or "<none>".
    std::string Ask(const std::string& request, int timeoutMs = 1000);

private:
    int fd_ = -1;
};
