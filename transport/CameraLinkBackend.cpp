#include "transport/CameraLinkBackend.h"

#include <algorithm>
#include <thread>
#include <utility>

#include "transport/ClSerialAdapter.h"

namespace {

// The library time-out of each read attempt and of a write.
constexpr int32_t kReadTimeoutMs = 10;
constexpr int32_t kWriteTimeoutMs = 500;

}  // namespace

CameraLinkBackend::CameraLinkBackend(ClSerialAdapter& adapter, int32_t portIndex,
                                     std::string portName)
    : adapter_(adapter), portIndex_(portIndex), portName_(std::move(portName)) {}

bool CameraLinkBackend::Open(int32_t baudRate) {
    baudRate_ = baudRate;
    failed_ = false;
    return adapter_.Open(portIndex_) && adapter_.SetBaudRate(baudRate);
}

void CameraLinkBackend::Close() {
    adapter_.Close();
}

bool CameraLinkBackend::IsOpen() const {
    return adapter_.IsOpen();
}

void CameraLinkBackend::Write(const std::string& text) {
    adapter_.Write(text.data(), static_cast<int32_t>(text.size()), kWriteTimeoutMs);
}

int32_t CameraLinkBackend::ReadOnce(char* byte, Clock::time_point deadline) {
    const Clock::time_point start = Clock::now();
    // The library waits up to its own time-out, but never past the caller's deadline.
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - start).count();
    const int32_t timeoutMs =
        static_cast<int32_t>(std::clamp<decltype(left)>(left, 0, kReadTimeoutMs));
    const bool open = adapter_.IsOpen();
    const int32_t got = open ? adapter_.Read(byte, 1, timeoutMs) : -1;
    if (got > 0) {
        return got;
    }
    if (got < 0 && open) {
        failed_ = true;  // the frame grabber's serial port failed or went away
        return 0;
    }
    if (got < 0) {
        // Nothing will come from a port that is not open; wait out the time-out without polling.
        std::this_thread::sleep_until(deadline);
        return 0;
    }
    // A library that fails at once must not turn the wait into a busy loop.
    std::this_thread::sleep_until(std::min(start + std::chrono::milliseconds(timeoutMs), deadline));
    return 0;
}

void CameraLinkBackend::ReleaseFailed() {
    adapter_.Close();
}

bool CameraLinkBackend::Reconnect() {
    if (!Open(baudRate_)) {
        adapter_.Close();
        return false;
    }
    return true;
}

std::string CameraLinkBackend::Description() const {
    return portName_ + " (Camera Link)";
}

std::string CameraLinkBackend::OpenFailureReason() const {
    return adapter_.OpenFailureReason();
}
