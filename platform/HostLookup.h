#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

struct addrinfo;

// The resolver's answer for a host, shared with the thread that asks it: a name server that does
// not answer holds that thread, never the caller past its deadline.
struct HostLookup {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    int code = 0;  // getaddrinfo's
    addrinfo* addresses = nullptr;
    ~HostLookup();
};

// Looks the host up for a TCP connection to the port; returns at the deadline at the latest,
// finished or not. On Windows, Winsock must be started first.
std::shared_ptr<HostLookup> LookUpHost(const std::string& host, uint16_t port,
                                       std::chrono::steady_clock::time_point deadline);
