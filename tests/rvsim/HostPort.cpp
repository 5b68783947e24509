#include "tests/rvsim/HostPort.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

speed_t ToSpeed(int baud) {
    switch (baud) {
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        case 115200:
            return B115200;
        default:
            return B0;
    }
}

}  // namespace

HostPort::~HostPort() {
    Close();
}

bool HostPort::Open(const std::string& path, int baud) {
    Close();
    fd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        return false;
    }
    termios settings{};
    if (tcgetattr(fd_, &settings) != 0) {
        return false;
    }
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    if (cfsetspeed(&settings, ToSpeed(baud)) != 0 || tcsetattr(fd_, TCSANOW, &settings) != 0) {
        return false;
    }
    tcflush(fd_, TCIOFLUSH);
    return true;
}

bool HostPort::SetBaud(int baud) {
    termios settings{};
    return fd_ >= 0 && tcgetattr(fd_, &settings) == 0 &&
           cfsetspeed(&settings, ToSpeed(baud)) == 0 && tcsetattr(fd_, TCSANOW, &settings) == 0;
}

void HostPort::Close() {
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
}

bool HostPort::Write(const std::string& bytes) {
    return fd_ >= 0 && write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

bool HostPort::ReadLine(std::string& line, int timeoutMs, Clock::time_point* first,
                        Clock::time_point* last) {
    line.clear();
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (true) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            return false;
        }
        pollfd ready{fd_, POLLIN, 0};
        if (poll(&ready, 1, static_cast<int>(left)) <= 0) {
            continue;
        }
        char c = 0;
        while (read(fd_, &c, 1) == 1) {
            if (line.empty() && first) {
                *first = Clock::now();
            }
            line += c;
            if (c == '\n') {
                if (last) {
                    *last = Clock::now();
                }
                return true;
            }
        }
    }
}

std::string HostPort::Ask(const std::string& request, int timeoutMs) {
    std::string line;
    if (!Write(request + "\r\n") || !ReadLine(line, timeoutMs)) {
        return "<none>";
    }
    return line.size() >= 2 ? line.substr(0, line.size() - 2) : line;
}
