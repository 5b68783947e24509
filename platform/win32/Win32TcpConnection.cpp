// A TCP connection on Windows: a Winsock socket whose network events (bytes, the far end's
// close) set an event the receive thread waits on together with a release event, so that
// closing the port releases it; the resolver runs in a thread of its own so that a name server
// that does not answer holds nobody past the deadline.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <mutex>

#include "platform/HostLookup.h"
#include "platform/TcpConnection.h"
#include "platform/win32/Win32ErrorText.h"

namespace {

using Clock = TcpConnection::Clock;

// Winsock is started once per process and left to the system to end at exit.
bool StartWinsock() {
    static const bool started = [] {
        WSADATA data{};
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

DWORD WaitTimeout(Clock::time_point deadline) {
    if (deadline == Clock::time_point::max()) {
        return INFINITE;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<DWORD>(std::clamp<long long>(left, 0, 1000 * 60 * 60));
}

class Win32TcpConnection : public TcpConnection {
public:
    Win32TcpConnection() {
        network_ = WSACreateEvent();
        release_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    }

    ~Win32TcpConnection() override {
        Close();
        if (network_ != WSA_INVALID_EVENT) {
            WSACloseEvent(network_);
        }
        if (release_ != nullptr) {
            CloseHandle(release_);
        }
    }

    TcpConnect Connect(const std::string& host, uint16_t port, Clock::time_point deadline,
                       std::string& reason) override {
        Close();
        if (!StartWinsock()) {
            reason = Win32ErrorText(static_cast<DWORD>(WSAGetLastError()));
            return TcpConnect::Failed;
        }
        const std::shared_ptr<HostLookup> lookup = LookUpHost(host, port, deadline);
        std::lock_guard<std::mutex> guard(lookup->mutex);
        if (!lookup->finished) {
            reason = "the name server did not answer";
            return TcpConnect::TimedOut;
        }
        if (lookup->code != 0) {
            reason = Win32ErrorText(static_cast<DWORD>(lookup->code));
            return lookup->code == WSAHOST_NOT_FOUND || lookup->code == WSANO_DATA
                       ? TcpConnect::NameNotFound
                       : TcpConnect::Failed;
        }
        TcpConnect result = TcpConnect::Failed;
        reason = "no address to connect to";
        for (const addrinfo* address = lookup->addresses; address != nullptr;
             address = address->ai_next) {
            const int error = ConnectTo(*address, deadline);
            if (error == 0) {
                ResetEvent(release_);
                return TcpConnect::Done;
            }
            if (error == WSAETIMEDOUT) {
                result = TcpConnect::TimedOut;
                reason.clear();  // the time-out says it all
                break;
            }
            // A refusal from one address of the host says more than another's failure.
            if (error == WSAECONNREFUSED || result != TcpConnect::Refused) {
                result = error == WSAECONNREFUSED ? TcpConnect::Refused : TcpConnect::Failed;
                reason = Win32ErrorText(static_cast<DWORD>(error));
            }
        }
        return result;
    }

    void Close() override {
        if (socket_ != INVALID_SOCKET) {
            closesocket(socket_);
            socket_ = INVALID_SOCKET;
        }
    }

    bool IsOpen() const override { return socket_ != INVALID_SOCKET; }

    bool Send(const char* bytes, int32_t count, Clock::time_point deadline) override {
        while (count > 0) {
            const int sent = send(socket_, bytes, count, 0);
            if (sent > 0) {
                bytes += sent;
                count -= sent;
                continue;
            }
            if (sent == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK) {
                const DWORD left = WaitTimeout(deadline);
                if (left == 0) {
                    return false;
                }
                fd_set room;
                FD_ZERO(&room);
                FD_SET(socket_, &room);
                timeval wait{static_cast<long>(left / 1000), static_cast<long>(left % 1000) * 1000};
                select(0, nullptr, &room, nullptr, &wait);
                continue;
            }
            return false;
        }
        return true;
    }

    TcpWait Wait(Clock::time_point deadline) override {
        HANDLE ends[2] = {network_, release_};
        const DWORD ended = WaitForMultipleObjects(2, ends, FALSE, WaitTimeout(deadline));
        if (ended == WAIT_OBJECT_0 + 1) {
            return TcpWait::Released;
        }
        if (ended == WAIT_TIMEOUT) {
            return TcpWait::TimedOut;
        }
        if (ended != WAIT_OBJECT_0) {
            return TcpWait::Failed;
        }
        WSANETWORKEVENTS events{};
        if (WSAEnumNetworkEvents(socket_, network_, &events) != 0) {
            return TcpWait::Failed;
        }
        // The far end's close still has its last bytes to read; the read after them sees it.
        if ((events.lNetworkEvents & (FD_READ | FD_CLOSE)) != 0) {
            return TcpWait::Input;
        }
        return TcpWait::TimedOut;  // an event this side does not watch: wait again
    }

    void ReleaseWait() override { SetEvent(release_); }

    int32_t Receive(char* buffer, int32_t capacity) override {
        const int got = recv(socket_, buffer, capacity, 0);
        if (got > 0) {
            return got;
        }
        if (got == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK) {
            return 0;
        }
        return -1;  // the far end closed, or the connection broke
    }

private:
    // 0 once connected (socket_ holds it, watched by network_), else the Winsock error.
    int ConnectTo(const addrinfo& address, Clock::time_point deadline) {
        socket_ = socket(address.ai_family, address.ai_socktype, address.ai_protocol);
        if (socket_ == INVALID_SOCKET) {
            return WSAGetLastError();
        }
        // Makes the socket non-blocking too.
        if (WSAEventSelect(socket_, network_, FD_READ | FD_CLOSE) != 0) {
            const int error = WSAGetLastError();
            Close();
            return error;
        }
        int error = 0;
        if (connect(socket_, address.ai_addr, static_cast<int>(address.ai_addrlen)) != 0) {
            error = WSAGetLastError();
            if (error == WSAEWOULDBLOCK) {
                fd_set done;
                fd_set failed;
                FD_ZERO(&done);
                FD_ZERO(&failed);
                FD_SET(socket_, &done);
                FD_SET(socket_, &failed);
                const DWORD left = WaitTimeout(deadline);
                timeval wait{static_cast<long>(left / 1000), static_cast<long>(left % 1000) * 1000};
                const int ready = select(0, nullptr, &done, &failed, &wait);
                if (ready == 0) {
                    error = WSAETIMEDOUT;
                } else if (ready == SOCKET_ERROR) {
                    error = WSAGetLastError();
                } else if (FD_ISSET(socket_, &failed)) {
                    int size = sizeof error;
                    getsockopt(socket_, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error),
                               &size);
                    error = error == 0 ? WSAECONNREFUSED : error;
                } else {
                    error = 0;
                }
            }
        }
        if (error != 0) {
            Close();
            return error;
        }
        const BOOL on = TRUE;
        setsockopt(socket_, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on),
                   sizeof on);
        setsockopt(socket_, SOL_SOCKET, SO_KEEPALIVE, reinterpret_cast<const char*>(&on),
                   sizeof on);
        return 0;
    }

    SOCKET socket_ = INVALID_SOCKET;
    WSAEVENT network_ = WSA_INVALID_EVENT;
    HANDLE release_ = nullptr;
};

}  // namespace

std::unique_ptr<TcpConnection> TcpConnection::Create() {
    return std::make_unique<Win32TcpConnection>();
}
