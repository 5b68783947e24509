#pragma once

#include <string>
#include <string_view>

// The line settings of the host's end of the link, as far as the camera can know them.
struct HostLine {
    int baud = 0;       // 0 when the rate is none the camera could ever use
    bool echo = false;  // the host's side echoes what it receives
};

// The camera's end of the serial link: a pseudo terminal whose other end the host opens, or
// an existing serial device.
class SimPort {
public:
    SimPort() = default;
    ~SimPort();
    SimPort(const SimPort&) = delete;
    SimPort& operator=(const SimPort&) = delete;

    // Creates a pseudo terminal, raw at the given rate. A link, when named, is a symlink to
    // its device; an existing symlink of that name is replaced, anything else is left alone.
    bool OpenPty(int baud, const std::string& link, std::string& error);

    // Opens a serial device, raw 8N1 without flow control at the given rate.
    bool OpenDevice(const std::string& path, int baud, std::string& error);

    // Closes everything and removes the link when it still points to this device.
    void Close();

    int Fd() const { return fd_; }
    bool IsPty() const { return holdFd_ >= 0; }
    const std::string& DevicePath() const { return devicePath_; }

    // On a pseudo terminal what the host has set on its end; on a device its own rate, which
    // the host cannot be seen through.
    HostLine ReadHostLine() const;

    // The camera changed its rate: a device follows, a pseudo terminal needs nothing.
    bool ApplyCameraRate(int baud);

    // Writes all bytes, waiting at most timeoutMs for the host to take them.
    bool WriteAll(std::string_view bytes, int timeoutMs);

    // Readable when a host has closed its end of the pseudo terminal; -1 when not watched.
    int HostCloseFd() const { return closeWatch_; }
    // Takes the close notices and gives the terminal's exclusive use back. A host that ends
    // without doing so itself (killed, say) would otherwise keep every later non-root host out
    // until rvsim ends, since our own descriptor keeps the terminal and its flag alive.
    void ReleaseAfterHostClose();

private:
    int fd_ = -1;
    int holdFd_ = -1;  // our own descriptor of the pty's other end, so the line never hangs up
    int closeWatch_ = -1;
    std::string devicePath_;
    std::string link_;
};
