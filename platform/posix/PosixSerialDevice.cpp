// The serial port on POSIX systems: a termios device in raw mode, a poll() on the port and
// on a wake pipe for the receive thread, and byte writes each followed by tcdrain.
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/ComPortName.h"
#include "platform/PortInUseText.h"
#include "platform/SerialDevice.h"
#include "platform/posix/CharacterDevice.h"
#include "platform/posix/ComDevicePath.h"

namespace {

constexpr int kWriteTimeoutMs = 20000;

bool SpeedCode(int32_t baudRate, speed_t& code) {
    struct Speed {
        int32_t rate;
        speed_t code;
    };
    static const Speed kSpeeds[] = {
        {1200, B1200},     {2400, B2400},     {4800, B4800},     {9600, B9600},
        {19200, B19200},   {38400, B38400},   {57600, B57600},   {115200, B115200},
        {230400, B230400}, {460800, B460800}, {921600, B921600},
    };
    for (const Speed& speed : kSpeeds) {
        if (speed.rate == baudRate) {
            code = speed.code;
            return true;
        }
    }
    return false;
}

bool SizeCode(int32_t byteSize, tcflag_t& code) {
    switch (byteSize) {
        case 5:
            code = CS5;
            return true;
        case 6:
            code = CS6;
            return true;
        case 7:
            code = CS7;
            return true;
        case 8:
            code = CS8;
            return true;
        default:
            return false;
    }
}

// Raw bytes both ways: no echo, no line editing, no character translation, no signals, no
// parity, no flow control; a read returns at once with what is there.
bool ApplySettings(const SerialSettings& settings, termios& line) {
    speed_t speed = 0;
    tcflag_t size = 0;
    if (!SpeedCode(settings.baudRate, speed) || !SizeCode(settings.byteSize, size)) {
        return false;
    }
    // One and a half stop bits exist only with five data bits, where two-stop-bit mode gives it.
    bool twoStopBits = false;
    if (settings.stopBits == 2 || (settings.stopBits == 1 && settings.byteSize == 5)) {
        twoStopBits = true;
    } else if (settings.stopBits != 0) {
        return false;
    }
    line.c_iflag &=
        ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY | INPCK);
    if (settings.xonXoff) {
        line.c_iflag |= IXON | IXOFF;
    }
    if (settings.parityCheck) {
        line.c_iflag |= INPCK;
    }
    line.c_oflag &= ~OPOST;
    line.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    line.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    line.c_cflag |= size | CLOCAL | CREAD | (twoStopBits ? CSTOPB : 0);
    line.c_cc[VMIN] = 0;
    line.c_cc[VTIME] = 0;
    return cfsetispeed(&line, speed) == 0 && cfsetospeed(&line, speed) == 0;
}

// How a user gets the right to open a device: membership of the group that owns it, which
// takes effect at the next login.
std::string PermissionAdvice(const std::string& path) {
    std::string owner = "dialout";  // owns serial ports on most distributions
    struct stat device {};
    if (stat(path.c_str(), &device) == 0) {
        if (device.st_gid == 0) {
            return "No permission to open " + path + ": only root may open it; have it given to " +
                   "the group \"dialout\" (a udev rule), join that group (sudo usermod -aG " +
                   "dialout $USER), then log in again.";
        }
        char buffer[1024];
        struct group entry {};
        struct group* found = nullptr;
        if (getgrgid_r(device.st_gid, &entry, buffer, sizeof buffer, &found) == 0 &&
            found != nullptr) {
            owner = found->gr_name;
        }
    }
    return "No permission to open " + path + ": add your user to the group \"" + owner +
           "\" that owns it (sudo usermod -aG " + owner + " $USER), then log in again.";
}

// The process holding the lock on the device, as the system lists it in /proc/locks
// ("1: FLOCK  ADVISORY  WRITE <pid> <major>:<minor>:<inode> 0 EOF"); 0 when it does not say.
long LockHolder(const std::string& path) {
    struct stat device {};
    if (stat(path.c_str(), &device) != 0) {
        return 0;
    }
    std::ifstream locks("/proc/locks");
    std::string line;
    while (std::getline(locks, line)) {
        std::istringstream fields(line);
        std::string number, kind, mode, access, where;
        long pid = 0;
        // Waiters are listed with "->" before the kind; only a holder counts.
        if (fields >> number >> kind >> mode >> access >> pid >> where && kind == "FLOCK") {
            // The kernel writes the device numbers with at least two hex digits.
            unsigned int lockMajor = 0;
            unsigned int lockMinor = 0;
            unsigned long inode = 0;
            if (std::sscanf(where.c_str(), "%x:%x:%lu", &lockMajor, &lockMinor, &inode) == 3 &&
                lockMajor == major(device.st_dev) && lockMinor == minor(device.st_dev) &&
                inode == device.st_ino) {
                return pid;
            }
        }
    }
    return 0;
}

// What a path is when it is no character device, for the operator.
const char* FileKind(mode_t mode) {
    if (S_ISREG(mode)) {
        return "a regular file";
    }
    if (S_ISDIR(mode)) {
        return "a directory";
    }
    if (S_ISFIFO(mode)) {
        return "a named pipe";
    }
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
    if (S_ISBLK(mode)) {
        return "a block device";
    }
    return "no device";
}

constexpr const char* kNoTerminal = "a device that is no terminal, so no serial port";

// Whether the path is a device that the system files under another kind than terminals, told
// before it is opened, since opening one can act on it (a watchdog starts counting). Pseudo
// terminals are filed under no kind, and without sysfs the open finds out.
bool OtherKindOfDevice(const std::string& path) {
    struct stat entry {};
    if (stat(path.c_str(), &entry) != 0 || !S_ISCHR(entry.st_mode)) {
        return false;
    }
    const std::string kind = CharacterDeviceKind(entry.st_rdev);
    return !kind.empty() && kind != "tty";
}

// Why what the path opened is no serial port; empty when it is a terminal device.
std::string NoSerialPort(int fd) {
    struct stat entry {};
    if (fstat(fd, &entry) != 0) {
        return std::strerror(errno);
    }
    if (!S_ISCHR(entry.st_mode)) {
        return std::string(FileKind(entry.st_mode)) + ", not a serial device";
    }
    return isatty(fd) ? std::string() : kNoTerminal;
}

bool SetNonBlocking(int fd) {
    const int flags = fcntl(fd, F_GETFL);
    return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

class PosixSerialDevice : public SerialDevice {
public:
    ~PosixSerialDevice() override { Close(); }

    SerialOpenStep Open(const std::string& portName, const SerialSettings& settings) override {
        Close();
        path_ = PortDevicePath(portName);
        reason_.clear();
        inUse_ = false;
        if (path_.empty()) {
            reason_ = UnknownNameReason(portName);
            return SerialOpenStep::OpenDevice;
        }
        // The path is looked at afresh at every open, so a by-id link that udev moved to the
        // adapter's new device after a replug is followed there.
        if (OtherKindOfDevice(path_)) {
            reason_ = path_ + ": " + kNoTerminal;
            return SerialOpenStep::OpenDevice;
        }
        // Non-blocking, so that opening a real port does not wait for its carrier.
        fd_ = open(path_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd_ < 0) {
            const int error = errno;
            Fail(SerialOpenStep::OpenDevice, error);
            if (error == EACCES || error == EPERM) {
                reason_ += "\n" + PermissionAdvice(path_);
            }
            if (error == EBUSY) {  // another copy's exclusive use
                return InUse();
            }
            if (error == EISDIR) {
                reason_ = path_ + ": " + FileKind(S_IFDIR) + ", not a serial device";
            }
            return SerialOpenStep::OpenDevice;
        }
        // A file opens as well as a device does; a device of another kind may have taken the
        // path's place since it was looked at.
        const std::string refused = NoSerialPort(fd_);
        if (!refused.empty()) {
            Close();
            reason_ = path_ + ": " + refused;
            return SerialOpenStep::OpenDevice;
        }
        // The exclusive flag does not bind root, a lock binds every copy of the program; the
        // system drops it with the descriptor, even when a copy is killed.
        if (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EWOULDBLOCK) {
                Fail(SerialOpenStep::OpenDevice, EBUSY);
                return InUse();
            }
            return Fail(SerialOpenStep::OpenDevice);
        }
        // No other program may open the port while it is ours.
        if (ioctl(fd_, TIOCEXCL) != 0) {
            return Fail(SerialOpenStep::OpenDevice);
        }
        if (pipe(wake_) != 0) {
            wake_[0] = wake_[1] = -1;
            return Fail(SerialOpenStep::SetEventMask);
        }
        if (!SetNonBlocking(wake_[0]) || !SetNonBlocking(wake_[1]) ||
            fcntl(wake_[0], F_SETFD, FD_CLOEXEC) != 0 ||
            fcntl(wake_[1], F_SETFD, FD_CLOEXEC) != 0) {
            return Fail(SerialOpenStep::SetEventMask);
        }
        // Whatever the device queued before this open is not meant for this session.
        if (tcflush(fd_, TCIOFLUSH) != 0) {
            return Fail(SerialOpenStep::SetQueues);
        }
        if (!SetNonBlocking(fd_)) {
            return Fail(SerialOpenStep::SetTimeouts);
        }
        termios line{};
        if (tcgetattr(fd_, &line) != 0) {
            return Fail(SerialOpenStep::GetLineState);
        }
        if (!ApplySettings(settings, line)) {
            return Fail(SerialOpenStep::SetLineState, EINVAL);  // a rate or size it has no code for
        }
        if (tcsetattr(fd_, TCSANOW, &line) != 0) {
            return Fail(SerialOpenStep::SetLineState);
        }
        // DTR tells the camera someone is there. RTS is not used (no flow control), but Linux
        // raised it at open. A pseudo terminal has no modem lines and refuses both.
        const int dtr = TIOCM_DTR;
        ioctl(fd_, TIOCMBIS, &dtr);
        const int rts = TIOCM_RTS;
        ioctl(fd_, TIOCMBIC, &rts);
        return SerialOpenStep::Done;
    }

    std::string OpenFailureReason() const override { return reason_; }
    bool OpenFoundPortInUse() const override { return inUse_; }

    void Close() override {
        if (fd_ >= 0) {
            ioctl(fd_, TIOCNXCL);
            close(fd_);
            fd_ = -1;
        }
        for (int& end : wake_) {
            if (end >= 0) {
                close(end);
                end = -1;
            }
        }
    }

    bool IsOpen() const override { return fd_ >= 0; }

    SerialWait WaitForInput() override {
        pollfd waits[2] = {{fd_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (poll(waits, 2, -1) < 0) {
            return errno == EINTR ? SerialWait::Again : SerialWait::Failed;
        }
        if (waits[1].revents != 0) {
            return SerialWait::Released;
        }
        const short events = waits[0].revents;
        if ((events & (POLLERR | POLLNVAL)) != 0) {
            return SerialWait::Failed;
        }
        if ((events & POLLHUP) != 0) {
            // The device went away; what it delivered before still counts.
            int waiting = 0;
            return ioctl(fd_, FIONREAD, &waiting) == 0 && waiting > 0 ? SerialWait::Input
                                                                      : SerialWait::Failed;
        }
        return (events & POLLIN) != 0 ? SerialWait::Input : SerialWait::Again;
    }

    void ReleaseWait() override {
        // The byte stays in the pipe, so every later wait ends at once too.
        const char wake = 1;
        const ssize_t written = write(wake_[1], &wake, 1);
        static_cast<void>(written);
    }

    int32_t ReadAvailable(char* buffer, int32_t capacity) override {
        for (;;) {
            const ssize_t got = read(fd_, buffer, static_cast<size_t>(capacity));
            if (got >= 0) {
                return static_cast<int32_t>(got);
            }
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                return 0;
            }
            if (errno != EINTR) {
                return -1;
            }
        }
    }

    bool WriteByte(char byte) override {
        using Clock = std::chrono::steady_clock;
        const Clock::time_point deadline =
            Clock::now() + std::chrono::milliseconds(kWriteTimeoutMs);
        for (;;) {
            const ssize_t written = write(fd_, &byte, 1);
            if (written == 1) {
                break;
            }
            if (written < 0 && errno == EINTR) {
                continue;
            }
            if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                // The output queue is full: wait for room, within the write time-out.
                const auto left =
                    std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now())
                        .count();
                if (left <= 0) {
                    return false;
                }
                pollfd room = {fd_, POLLOUT, 0};
                poll(&room, 1, static_cast<int>(left));
                continue;
            }
            return false;
        }
        while (tcdrain(fd_) != 0) {
            if (errno != EINTR) {
                return false;
            }
        }
        return true;
    }

private:
    static std::string UnknownNameReason(const std::string& portName) {
        const std::string reason = portName + ": no device goes by this port name";
        if (ComPortNumber(portName) != 0) {
            return reason + "; set RVTOOL_" + portName + " to its device";
        }
        if (portName.compare(0, 3, "COM") == 0) {
            return reason;
        }
        return reason + "; name a device by its path, such as /dev/ttyUSB0 or a link in " +
               "/dev/serial/by-id, or COM1 ... COM16";
    }

    SerialOpenStep InUse() {
        inUse_ = true;
        reason_ += "\n" + PortInUseText(LockHolder(path_));
        return SerialOpenStep::OpenDevice;
    }

    // The system's reason is taken before closing can change it.
    SerialOpenStep Fail(SerialOpenStep step, int error = errno) {
        reason_ = path_ + ": " + std::strerror(error);
        Close();
        return step;
    }

    int fd_ = -1;
    int wake_[2] = {-1, -1};
    std::string path_;
    std::string reason_;
    bool inUse_ = false;
};

}  // namespace

std::unique_ptr<SerialDevice> SerialDevice::Create() {
    return std::make_unique<PosixSerialDevice>();
}

std::string SerialDevice::DeviceName(const std::string& portName) {
    if (portName.empty() || portName[0] != '/') {
        return ComDevicePath(portName);
    }
    // A link (by-id, by-path) tells the device it leads to now.
    char resolved[PATH_MAX];
    if (realpath(portName.c_str(), resolved) == nullptr || portName == resolved) {
        return std::string();
    }
    return resolved;
}
