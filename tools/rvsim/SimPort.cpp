#include "tools/rvsim/SimPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace {

struct SpeedEntry {
    speed_t speed;
    int baud;
};

const SpeedEntry kSpeeds[] = {
    {B1200, 1200},     {B2400, 2400},     {B4800, 4800},     {B9600, 9600},
    {B19200, 19200},   {B38400, 38400},   {B57600, 57600},   {B115200, 115200},
    {B230400, 230400}, {B460800, 460800}, {B921600, 921600},
};

speed_t ToSpeed(int baud) {
    for (const SpeedEntry& entry : kSpeeds) {
        if (entry.baud == baud) {
            return entry.speed;
        }
    }
    return B0;
}

int ToBaud(speed_t speed) {
    for (const SpeedEntry& entry : kSpeeds) {
        if (entry.speed == speed) {
            return entry.baud;
        }
    }
    return 0;
}

std::string SystemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

// Raw 8N1, no flow control, receiver on, modem lines ignored.
bool SetRaw(int fd, int baud) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) {
        return false;
    }
    cfmakeraw(&settings);
    settings.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | CRTSCTS | PARENB);
    settings.c_cflag |= CLOCAL | CREAD | CS8;
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    return cfsetspeed(&settings, ToSpeed(baud)) == 0 && tcsetattr(fd, TCSANOW, &settings) == 0;
}

}  // namespace

SimPort::~SimPort() {
    Close();
}

bool SimPort::OpenPty(int baud, const std::string& link, std::string& error) {
    Close();
    fd_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) {
        error = SystemError("cannot create a pseudo terminal");
        return false;
    }
    char name[256];
    if (grantpt(fd_) != 0 || unlockpt(fd_) != 0 || ptsname_r(fd_, name, sizeof name) != 0) {
        error = SystemError("cannot set up the pseudo terminal");
        Close();
        return false;
    }
    devicePath_ = name;
    holdFd_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (holdFd_ < 0 || !SetRaw(holdFd_, baud) ||
        fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) | O_NONBLOCK) != 0) {
        error = SystemError("cannot configure " + devicePath_);
        Close();
        return false;
    }
    // Without the watch rvsim still serves; only a killed host's exclusive use stays.
    closeWatch_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (closeWatch_ >= 0 &&
        inotify_add_watch(closeWatch_, name, IN_CLOSE_WRITE | IN_CLOSE_NOWRITE) < 0) {
        close(closeWatch_);
        closeWatch_ = -1;
    }
    if (!link.empty()) {
        struct stat existing {};
        if (lstat(link.c_str(), &existing) == 0) {
            if (!S_ISLNK(existing.st_mode)) {
                error = "will not replace " + link + ": it exists and is not a symlink";
                Close();
                return false;
            }
            unlink(link.c_str());
        }
        if (symlink(devicePath_.c_str(), link.c_str()) != 0) {
            error = SystemError("cannot create the link " + link);
            Close();
            return false;
        }
        link_ = link;
    }
    return true;
}

bool SimPort::OpenDevice(const std::string& path, int baud, std::string& error) {
    Close();
    fd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        error = SystemError("cannot open " + path);
        return false;
    }
    devicePath_ = path;
    if (!SetRaw(fd_, baud)) {
        error = SystemError("cannot configure " + path + " as a serial line");
        Close();
        return false;
    }
    tcflush(fd_, TCIOFLUSH);
    return true;
}

void SimPort::Close() {
    if (!link_.empty()) {
        char target[256];
        const ssize_t n = readlink(link_.c_str(), target, sizeof target - 1);
        if (n >= 0 && std::string(target, static_cast<std::size_t>(n)) == devicePath_) {
            unlink(link_.c_str());
        }
        link_.clear();
    }
    if (closeWatch_ >= 0) {
        close(closeWatch_);
        closeWatch_ = -1;
    }
    if (holdFd_ >= 0) {
        close(holdFd_);
        holdFd_ = -1;
    }
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
}

HostLine SimPort::ReadHostLine() const {
    HostLine line;
    termios settings{};
    // On a pseudo terminal the master reports the settings of the host's end.
    if (fd_ >= 0 && tcgetattr(fd_, &settings) == 0) {
        line.baud = ToBaud(cfgetospeed(&settings));
        line.echo = IsPty() && (settings.c_lflag & ECHO) != 0;
    }
    return line;
}

bool SimPort::ApplyCameraRate(int baud) {
    if (IsPty() || fd_ < 0) {
        return true;
    }
    termios settings{};
    return tcgetattr(fd_, &settings) == 0 && cfsetspeed(&settings, ToSpeed(baud)) == 0 &&
           tcsetattr(fd_, TCSADRAIN, &settings) == 0;
}

bool SimPort::WriteAll(std::string_view bytes, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!bytes.empty()) {
        const ssize_t n = write(fd_, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;  // the host does not take what it is sent
        }
        pollfd ready{fd_, POLLOUT, 0};
        poll(&ready, 1, static_cast<int>(left.count()));
    }
    return true;
}

void SimPort::ReleaseAfterHostClose() {
    alignas(inotify_event) char notices[4096];
    bool closed = false;
    while (closeWatch_ >= 0 && read(closeWatch_, notices, sizeof notices) > 0) {
        closed = true;
    }
    if (closed && holdFd_ >= 0) {
        ioctl(holdFd_, TIOCNXCL);
    }
}
