#include "platform/HostLookup.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <netdb.h>
#include <sys/socket.h>
#endif

#include <thread>

HostLookup::~HostLookup() {
    if (addresses != nullptr) {
        freeaddrinfo(addresses);
    }
}

std::shared_ptr<HostLookup> LookUpHost(const std::string& host, uint16_t port,
                                       std::chrono::steady_clock::time_point deadline) {
    auto lookup = std::make_shared<HostLookup>();
    std::thread([lookup, host, service = std::to_string(port)] {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_flags = AI_NUMERICSERV;
        addrinfo* addresses = nullptr;
        const int code = getaddrinfo(host.c_str(), service.c_str(), &hints, &addresses);
        std::lock_guard<std::mutex> guard(lookup->mutex);
        lookup->code = code;
        lookup->addresses = addresses;
        lookup->finished = true;
        lookup->done.notify_all();
    }).detach();
    std::unique_lock<std::mutex> guard(lookup->mutex);
    lookup->done.wait_until(guard, deadline, [&] { return lookup->finished; });
    return lookup;
}
