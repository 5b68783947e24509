#include "transport/NetworkSerialDevice.h"

#include <chrono>

namespace {

using Clock = TcpConnection::Clock;

// As long as a local port's write may take before the line counts as stuck.
constexpr std::chrono::milliseconds kWriteTimeout{20000};
// As much of what a server says before it closes as the operator is shown.
constexpr std::size_t kLongestHeard = 80;

// RFC 2217 values.
constexpr uint8_t kNoParity = 1;
constexpr uint8_t kOneStopBit = 1;
constexpr uint8_t kTwoStopBits = 2;
constexpr uint8_t kOneAndAHalfStopBits = 3;
constexpr uint8_t kNoFlowControl = 1;
constexpr uint8_t kXonXoffFlowControl = 2;
constexpr uint8_t kDtrOn = 8;
constexpr uint8_t kPurgeBoth = 3;

std::string Byte(uint8_t value) {
    return std::string(1, static_cast<char>(value));
}

std::string Within(std::chrono::milliseconds span) {
    if (span.count() % 1000 == 0) {
        return std::to_string(span.count() / 1000) + " s";
    }
    return std::to_string(span.count()) + " ms";
}

}  // namespace

NetworkSerialDevice::NetworkSerialDevice() : connection_(TcpConnection::Create()) {}

NetworkSerialDevice::~NetworkSerialDevice() {
    Close();
}

SerialOpenStep NetworkSerialDevice::Open(const std::string& portName,
                                         const SerialSettings& settings) {
    Close();
    reason_.clear();
    std::string error;
    if (!NetworkPortName::Parse(portName, name_, error)) {
        reason_ = error;
        return SerialOpenStep::OpenDevice;
    }
    codec_ = TelnetCodec();
    const Clock::time_point deadline = Clock::now() + settings.openTimeout;
    const std::string within = Within(settings.openTimeout);
    std::string system;
    switch (connection_->Connect(name_.host, name_.port, deadline, system)) {
        case TcpConnect::Done:
            break;
        case TcpConnect::NameNotFound:
            reason_ = "Cannot find the host " + name_.host + ": " + system;
            return SerialOpenStep::OpenDevice;
        case TcpConnect::Refused:
            reason_ = name_.Server() + " refused the connection: no device server listens there";
            return SerialOpenStep::OpenDevice;
        case TcpConnect::TimedOut:
            reason_ = "No answer from " + name_.Server() + " within " + within +
                      (system.empty() ? "" : " (" + system + ")");
            return SerialOpenStep::OpenDevice;
        case TcpConnect::Failed:
            reason_ = name_.Server() + ": " + system;
            return SerialOpenStep::OpenDevice;
    }
    if (name_.kind == NetworkPortName::Kind::Rfc2217 && !SetFarLine(settings, deadline, within)) {
        Close();
        return SerialOpenStep::SetLineState;
    }
    return SerialOpenStep::Done;
}

bool NetworkSerialDevice::SetFarLine(const SerialSettings& settings, Clock::time_point deadline,
                                     const std::string& within) {
    const std::string rate = std::to_string(settings.baudRate) + " bit/s";
    const std::string ignored = "The device server " + name_.Server() +
                                " did not confirm the rate " + rate + " within " + within;
    // Commands wait for the server's consent to the option, as RFC 2217 asks.
    if (!SendWire(codec_.Greeting(), deadline)) {
        reason_ = name_.Server() + " closed the connection";
        return false;
    }
    if (!Await([this] { return codec_.ComPortAccepted() || codec_.ComPortRefused(); }, deadline)) {
        reason_ = reason_.empty() ? ignored : reason_;
        return false;
    }
    if (codec_.ComPortRefused()) {
        reason_ = "The device server " + name_.Server() +
                  " does not take serial settings (no RFC 2217); socket://" + name_.Server() +
                  " reaches the line at the server's own rate";
        return false;
    }
    uint8_t stopSize = kOneStopBit;
    if (settings.stopBits == 1) {
        stopSize = kOneAndAHalfStopBits;
    } else if (settings.stopBits == 2) {
        stopSize = kTwoStopBits;
    }
    const uint32_t baudRate = static_cast<uint32_t>(settings.baudRate);
    const std::string rateValue = {static_cast<char>(baudRate >> 24),
                                   static_cast<char>(baudRate >> 16),
                                   static_cast<char>(baudRate >> 8), static_cast<char>(baudRate)};
    // The purge comes before the rate, so that whatever the server held before it has arrived
    // by the rate's answer and is dropped with the other bytes of the negotiation.
    std::string wire = TelnetCodec::Command(TelnetCodec::kSetDataSize,
                                            Byte(static_cast<uint8_t>(settings.byteSize)));
    wire += TelnetCodec::Command(TelnetCodec::kSetParity, Byte(kNoParity));
    wire += TelnetCodec::Command(TelnetCodec::kSetStopSize, Byte(stopSize));
    wire += TelnetCodec::Command(TelnetCodec::kSetControl,
                                 Byte(settings.xonXoff ? kXonXoffFlowControl : kNoFlowControl));
    // DTR tells the camera someone is there; a server without modem lines need not answer.
    wire += TelnetCodec::Command(TelnetCodec::kSetControl, Byte(kDtrOn));
    wire += TelnetCodec::Command(TelnetCodec::kPurgeData, Byte(kPurgeBoth));
    wire += TelnetCodec::Command(TelnetCodec::kSetBaudRate, rateValue);
    codec_.ForgetBaudRate();
    if (!SendWire(wire, deadline)) {
        reason_ = name_.Server() + " closed the connection";
        return false;
    }
    if (!Await([this] { return codec_.AnsweredBaudRate() != 0; }, deadline)) {
        reason_ = reason_.empty() ? ignored : reason_;
        return false;
    }
    if (codec_.AnsweredBaudRate() != baudRate) {
        reason_ = "The device server " + name_.Server() + " refused the rate " + rate +
                  ": its line runs at " + std::to_string(codec_.AnsweredBaudRate()) + " bit/s";
        return false;
    }
    return true;
}

template <class Done>
bool NetworkSerialDevice::Await(Done done, Clock::time_point deadline) {
    // Bytes from the line before the settings took hold are not this session's; but a server
    // that turns the client away says why in them ("Port already in use").
    std::string heard;
    const auto closed = [&] {
        reason_ = name_.Server() + " closed the connection";
        std::string said;
        for (const char c : heard) {
            const bool printable = c >= ' ' && c <= '~';
            if (printable || (!said.empty() && said.back() != ' ')) {
                said += printable ? c : ' ';
            }
        }
        while (!said.empty() && said.back() == ' ') {
            said.pop_back();
        }
        if (!said.empty()) {
            reason_ += ": \"" + said + "\"";
        }
        return false;
    };
    while (!done()) {
        const TcpWait wait = connection_->Wait(deadline);
        if (wait == TcpWait::TimedOut && Clock::now() >= deadline) {
            return false;
        }
        if (wait == TcpWait::Failed || wait == TcpWait::Released) {
            return closed();
        }
        char chunk[256];
        const int32_t got = connection_->Receive(chunk, static_cast<int32_t>(sizeof chunk));
        if (got < 0) {
            return closed();
        }
        std::string data;
        std::string reply;
        codec_.Take(chunk, got, data, reply);
        if (heard.size() < kLongestHeard) {
            heard += data.substr(0, kLongestHeard - heard.size());
        }
        if (!reply.empty() && !SendWire(reply, deadline)) {
            return closed();
        }
    }
    return true;
}

void NetworkSerialDevice::Close() {
    connection_->Close();
}

bool NetworkSerialDevice::IsOpen() const {
    return connection_->IsOpen();
}

SerialWait NetworkSerialDevice::WaitForInput() {
    switch (connection_->Wait(Clock::time_point::max())) {
        case TcpWait::Input:
            return SerialWait::Input;
        case TcpWait::TimedOut:
            return SerialWait::Again;
        case TcpWait::Released:
            return SerialWait::Released;
        case TcpWait::Failed:
            break;
    }
    return SerialWait::Failed;
}

void NetworkSerialDevice::ReleaseWait() {
    connection_->ReleaseWait();
}

int32_t NetworkSerialDevice::ReadAvailable(char* buffer, int32_t capacity) {
    if (name_.kind == NetworkPortName::Kind::Raw) {
        return connection_->Receive(buffer, capacity);
    }
    // Escapes and commands only shorten the stream: the data always fits the caller's buffer.
    std::string wire(static_cast<std::size_t>(capacity), '\0');
    const int32_t got = connection_->Receive(&wire[0], capacity);
    if (got <= 0) {
        return got;
    }
    std::string data;
    std::string reply;
    codec_.Take(wire.data(), got, data, reply);
    if (!reply.empty() && !SendWire(reply, Clock::now() + kWriteTimeout)) {
        return -1;
    }
    data.copy(buffer, data.size());
    return static_cast<int32_t>(data.size());
}

bool NetworkSerialDevice::WriteByte(char byte) {
    return Write(&byte, 1);
}

bool NetworkSerialDevice::Write(const char* bytes, int32_t count) {
    if (name_.kind == NetworkPortName::Kind::Raw) {
        std::lock_guard<std::mutex> guard(sending_);
        return connection_->Send(bytes, count, Clock::now() + kWriteTimeout);
    }
    std::string wire;
    TelnetCodec::AppendData(bytes, count, wire);
    return SendWire(wire, Clock::now() + kWriteTimeout);
}

bool NetworkSerialDevice::SendWire(const std::string& wire, Clock::time_point deadline) {
    std::lock_guard<std::mutex> guard(sending_);
    return connection_->Send(wire.data(), static_cast<int32_t>(wire.size()), deadline);
}
