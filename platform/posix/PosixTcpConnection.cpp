// A TCP connection on POSIX systems: a non-blocking socket, a poll() on it and on a wake pipe
// so that closing the port releases the receive thread, and the resolver in a thread of its
// own so that a name server that does not answer holds nobody past the deadline.
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>

#include "platform/HostLookup.h"
#include "platform/TcpConnection.h"

namespace {

using Clock = TcpConnection::Clock;

// Milliseconds left until the deadline, for poll(): -1 without end, 0 when it passed.
int PollTimeout(Clock::time_point deadline) {
    if (deadline == Clock::time_point::max()) {
        return -1;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, 1000 * 60 * 60));
}

bool UnknownHost(int code) {
#ifdef EAI_NODATA
    if (code == EAI_NODATA) {  // the name exists, but has no address
        return true;
    }
#endif
    return code == EAI_NONAME || code == EAI_FAIL;
}

// A dead peer that never closed (a cable pulled at the device server) is noticed within
// seconds, not after the system's two hours.
void WatchForDeadPeer(int fd) {
    const int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
#ifdef TCP_KEEPIDLE
    const int idle = 5;
    const int interval = 2;
    const int count = 3;
    const unsigned int unacknowledgedMs = 10000;
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &count, sizeof count);
    setsockopt(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, &unacknowledgedMs, sizeof unacknowledgedMs);
#endif
}

class PosixTcpConnection : public TcpConnection {
public:
    ~PosixTcpConnection() override { Close(); }

    TcpConnect Connect(const std::string& host, uint16_t port, Clock::time_point deadline,
                       std::string& reason) override {
        Close();
        const std::shared_ptr<HostLookup> lookup = LookUpHost(host, port, deadline);
        std::lock_guard<std::mutex> guard(lookup->mutex);
        if (!lookup->finished) {
            reason = "the name server did not answer";
            return TcpConnect::TimedOut;
        }
        if (lookup->code != 0) {
            reason = lookup->code == EAI_SYSTEM ? std::strerror(errno) : gai_strerror(lookup->code);
            return UnknownHost(lookup->code) ? TcpConnect::NameNotFound : TcpConnect::Failed;
        }
        TcpConnect result = TcpConnect::Failed;
        reason = "no address to connect to";
        for (const addrinfo* address = lookup->addresses; address != nullptr;
             address = address->ai_next) {
            const int error = ConnectTo(*address, deadline);
            if (error == 0) {
                return StartWatching(reason);
            }
            if (error == ETIMEDOUT) {
                result = TcpConnect::TimedOut;
                reason.clear();  // the time-out says it all
                break;
            }
            // A refusal from one address of the host says more than another's failure.
            if (error == ECONNREFUSED || result != TcpConnect::Refused) {
                result = error == ECONNREFUSED ? TcpConnect::Refused : TcpConnect::Failed;
                reason = std::strerror(error);
            }
        }
        return result;
    }

    void Close() override {
        for (int* end : {&fd_, &wake_[0], &wake_[1]}) {
            if (*end >= 0) {
                close(*end);
                *end = -1;
            }
        }
    }

    bool IsOpen() const override { return fd_ >= 0; }

    bool Send(const char* bytes, int32_t count, Clock::time_point deadline) override {
        while (count > 0) {
            const ssize_t sent =
                send(fd_, bytes, static_cast<size_t>(count), MSG_NOSIGNAL | MSG_DONTWAIT);
            if (sent > 0) {
                bytes += sent;
                count -= static_cast<int32_t>(sent);
                continue;
            }
            if (sent < 0 && errno == EINTR) {
                continue;
            }
            if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                const int left = PollTimeout(deadline);
                if (left == 0) {
                    return false;
                }
                pollfd room = {fd_, POLLOUT, 0};
                poll(&room, 1, left);
                continue;
            }
            return false;
        }
        return true;
    }

    TcpWait Wait(Clock::time_point deadline) override {
        pollfd waits[2] = {{fd_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        const int ready = poll(waits, 2, PollTimeout(deadline));
        if (ready < 0) {
            return errno == EINTR ? TcpWait::TimedOut : TcpWait::Failed;
        }
        if (waits[1].revents != 0) {
            return TcpWait::Released;
        }
        if (ready == 0) {
            return TcpWait::TimedOut;
        }
        // A hang-up still has its last bytes to read; the read after them sees the end.
        if ((waits[0].revents & (POLLIN | POLLHUP)) != 0) {
            return TcpWait::Input;
        }
        return TcpWait::Failed;
    }

    void ReleaseWait() override {
        // The byte stays in the pipe, so every later wait ends at once too.
        const char wake = 1;
        const ssize_t written = write(wake_[1], &wake, 1);
        static_cast<void>(written);
    }

    int32_t Receive(char* buffer, int32_t capacity) override {
        for (;;) {
            const ssize_t got = recv(fd_, buffer, static_cast<size_t>(capacity), MSG_DONTWAIT);
            if (got > 0) {
                return static_cast<int32_t>(got);
            }
            if (got == 0) {
                return -1;  // the far end closed
            }
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                return 0;
            }
            if (errno != EINTR) {
                return -1;
            }
        }
    }

private:
    // 0 once connected (fd_ holds the socket), else the error.
    int ConnectTo(const addrinfo& address, Clock::time_point deadline) {
        fd_ = socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                     address.ai_protocol);
        if (fd_ < 0) {
            return errno;
        }
        int error = 0;
        if (connect(fd_, address.ai_addr, address.ai_addrlen) != 0) {
            error = errno;
            while (error == EINPROGRESS || error == EINTR) {
                pollfd writable = {fd_, POLLOUT, 0};
                const int ready = poll(&writable, 1, PollTimeout(deadline));
                if (ready == 0) {
                    error = ETIMEDOUT;
                } else if (ready > 0) {
                    socklen_t size = sizeof error;
                    if (getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &size) != 0) {
                        error = errno;
                    }
                } else if (errno != EINTR) {
                    error = errno;
                }
            }
        }
        if (error != 0) {
            Close();
        }
        return error;
    }

    TcpConnect StartWatching(std::string& reason) {
        WatchForDeadPeer(fd_);
        if (pipe2(wake_, O_NONBLOCK | O_CLOEXEC) != 0) {
            wake_[0] = wake_[1] = -1;
            reason = std::strerror(errno);
            Close();
            return TcpConnect::Failed;
        }
        return TcpConnect::Done;
    }

    int fd_ = -1;
    int wake_[2] = {-1, -1};
};

}  // namespace

std::unique_ptr<TcpConnection> TcpConnection::Create() {
    return std::make_unique<PosixTcpConnection>();
}
