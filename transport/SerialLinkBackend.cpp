#include "transport/SerialLinkBackend.h"

#include <utility>

#include "transport/ComPortDriver.h"

namespace {

// The camera's line: 8 data bits, no parity, one stop bit, no flow control.
constexpr int32_t kByteSize = 8;
constexpr uint8_t kOneStopBit = 0;
constexpr int32_t kXonXoffOff = 0;
constexpr int32_t kParityCheckOff = 0;

}  // namespace

SerialLinkBackend::SerialLinkBackend(ComPortDriver& driver, std::string portName)
    : driver_(driver), portName_(std::move(portName)) {}

bool SerialLinkBackend::Open(int32_t baudRate) {
    return driver_.Open(portName_, baudRate, kByteSize, kOneStopBit, kXonXoffOff, kParityCheckOff);
}

void SerialLinkBackend::Close() {
    driver_.Close();
}

bool SerialLinkBackend::IsOpen() const {
    return driver_.IsOpen();
}

void SerialLinkBackend::Write(const std::string& text) {
    driver_.Write(text.data(), static_cast<int32_t>(text.size()));
}

int32_t SerialLinkBackend::ReadOnce(char* byte, Clock::time_point deadline) {
    const int32_t got = driver_.Read(byte, 1);
    if (got == 0) {
        // Sleeps until the receive thread stores a byte instead of asking again and again, so
        // that waiting for a reply costs no processor time.
        driver_.WaitForData(deadline);
    }
    return got;
}

bool SerialLinkBackend::Failed() const {
    return driver_.DeviceLost();
}

void SerialLinkBackend::ReleaseFailed() {
    driver_.ReleaseLostDevice();
}

bool SerialLinkBackend::Reconnect() {
    return driver_.Reconnect();
}

std::string SerialLinkBackend::Description() const {
    return driver_.PortDescription();
}

bool SerialLinkBackend::PortInUse() const {
    return driver_.OpenFoundPortInUse();
}

int32_t SerialLinkBackend::TakeDroppedByteCount() {
    return driver_.TakeDroppedByteCount();
}
