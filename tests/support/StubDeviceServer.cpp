#include "tests/support/StubDeviceServer.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
using Socket = SOCKET;
const Socket kNoSocket = INVALID_SOCKET;
void CloseSocket(Socket socket) {
    closesocket(socket);
}
#else
using Socket = int;
const Socket kNoSocket = -1;
void CloseSocket(Socket socket) {
    close(socket);
}
#endif

constexpr uint8_t kIac = 255;
constexpr uint8_t kSb = 250;
constexpr uint8_t kSe = 240;
constexpr uint8_t kWill = 251;
constexpr uint8_t kDo = 253;
constexpr uint8_t kComPort = 44;

enum State { kData, kCommand, kOption, kSub, kSubIac };

// Waits at most a tenth of a second for a socket to be readable, so that the thread sees the
// end of the test in time.
bool Readable(Socket socket) {
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(socket, &ready);
    timeval wait{0, 100000};
    return select(static_cast<int>(socket) + 1, &ready, nullptr, nullptr, &wait) > 0;
}

}  // namespace

StubDeviceServer::StubDeviceServer(uint32_t keptRate) : keptRate_(keptRate) {
#ifdef _WIN32
    WSADATA data{};
    WSAStartup(MAKEWORD(2, 2), &data);
#endif
    const Socket listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (listener == kNoSocket ||
        bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener, 1) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        if (listener != kNoSocket) {
            CloseSocket(listener);
        }
        return;
    }
    listener_ = static_cast<std::intptr_t>(listener);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread(&StubDeviceServer::Serve, this);
}

StubDeviceServer::~StubDeviceServer() {
    stopping_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
    if (listener_ != -1) {
        CloseSocket(static_cast<Socket>(listener_));
    }
}

std::string StubDeviceServer::PortName() const {
    return port_ == 0 ? std::string() : "rfc2217://127.0.0.1:" + std::to_string(port_);
}

void StubDeviceServer::Drop() {
    // Only the serving thread closes the socket, so that its number is not taken by another
    // socket while that thread still waits on it; the shutdown alone ends the connection.
    const std::intptr_t client = client_.load();
    if (client != -1) {
#ifdef _WIN32
        shutdown(static_cast<Socket>(client), SD_BOTH);
#else
        shutdown(static_cast<Socket>(client), SHUT_RDWR);
#endif
    }
}

void StubDeviceServer::CloseClient() {
    const std::intptr_t client = client_.exchange(-1);
    if (client != -1) {
        CloseSocket(static_cast<Socket>(client));
    }
}

void StubDeviceServer::Serve() {
    const Socket listener = static_cast<Socket>(listener_);
    while (!stopping_) {
        const std::intptr_t client = client_.load();
        if (client == -1) {
            if (Readable(listener)) {
                const Socket accepted = accept(listener, nullptr, nullptr);
                state_ = kData;
                client_ = static_cast<std::intptr_t>(accepted);
            }
            continue;
        }
        const Socket socket = static_cast<Socket>(client);
        if (!Readable(socket)) {
            continue;
        }
        char buffer[512];
        const int got = static_cast<int>(recv(socket, buffer, sizeof buffer, 0));
        if (got <= 0) {
            CloseClient();
            continue;
        }
        std::string reply;
        Answer(std::string(buffer, static_cast<std::size_t>(got)), reply);
        if (!reply.empty() && !silent_) {
            send(socket, reply.data(), static_cast<int>(reply.size()), 0);
        }
    }
    CloseClient();
}

void StubDeviceServer::Answer(const std::string& wire, std::string& reply) {
    for (const char c : wire) {
        const uint8_t byte = static_cast<uint8_t>(c);
        switch (state_) {
            case kData:
                if (byte == kIac) {
                    state_ = kCommand;
                } else {
                    reply += c;  // the loopback plug
                }
                break;
            case kCommand:
                if (byte == kIac) {
                    reply += "\xff\xff";
                    state_ = kData;
                } else if (byte == kSb) {
                    subnegotiation_.clear();
                    state_ = kSub;
                } else {
                    state_ = byte >= kWill ? kOption : kData;
                    subnegotiation_ = std::string(1, c);  // the verb
                }
                break;
            case kOption:
                if (static_cast<uint8_t>(subnegotiation_[0]) == kWill && byte == kComPort) {
                    reply += std::string{static_cast<char>(kIac), static_cast<char>(kDo),
                                         static_cast<char>(kComPort)};
                }
                state_ = kData;
                break;
            case kSub:
                if (byte == kIac) {
                    state_ = kSubIac;
                } else {
                    subnegotiation_ += c;
                }
                break;
            case kSubIac:
                if (byte == kIac) {
                    subnegotiation_ += c;
                    state_ = kSub;
                    break;
                }
                state_ = kData;
                // SET-BAUDRATE: answered with the rate kept or the rate asked.
                if (subnegotiation_.size() == 6 &&
                    static_cast<uint8_t>(subnegotiation_[0]) == kComPort &&
                    subnegotiation_[1] == 1) {
                    std::string answer = {static_cast<char>(kIac), static_cast<char>(kSb),
                                          static_cast<char>(kComPort), 101};
                    for (int shift = 24; shift >= 0; shift -= 8) {
                        const char rate =
                            keptRate_ != 0
                                ? static_cast<char>(keptRate_ >> shift)
                                : subnegotiation_[static_cast<std::size_t>(2 + (24 - shift) / 8)];
                        answer += rate;
                        if (static_cast<uint8_t>(rate) == kIac) {
                            answer += rate;
                        }
                    }
                    answer += std::string{static_cast<char>(kIac), static_cast<char>(kSe)};
                    reply += answer;
                }
                break;
        }
    }
}
