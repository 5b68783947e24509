#include "tests/support/ScriptedCamera.h"

#include <algorithm>
#include <chrono>

ScriptedCamera::ScriptedCamera() {
    thread_ = std::thread([this] { Serve(); });
}

ScriptedCamera::~ScriptedCamera() {
    running_ = false;
    thread_.join();
}

void ScriptedCamera::SetScript(Script script) {
    std::lock_guard<std::mutex> lock(mutex_);
    script_ = std::move(script);
}

void ScriptedCamera::Send(const std::string& bytes) {
    constexpr std::size_t kChunk = 16;
    const auto start = std::chrono::steady_clock::now();
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const int baud = baud_;
        const std::size_t length =
            baud > 0 ? std::min(kChunk, bytes.size() - sent) : bytes.size() - sent;
        if (!terminal_.Send(bytes.substr(sent, length))) {
            return;
        }
        sent += length;
        if (baud > 0) {
            std::this_thread::sleep_until(start +
                                          std::chrono::microseconds(sent * 10'000'000 / baud));
        }
    }
}

std::vector<std::string> ScriptedCamera::ReceivedLines() {
    std::lock_guard<std::mutex> lock(mutex_);
    return lines_;
}

void ScriptedCamera::Serve() {
    std::string pending;
    while (running_) {
        pending += terminal_.ReceiveAvailable(std::chrono::milliseconds(10));
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
            std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            std::string answer;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                lines_.push_back(line);
                if (script_) {
                    answer = script_(line);
                }
            }
            Send(answer);
        }
    }
}
