#include "transport/CameraPort.h"

#include <algorithm>
#include <thread>

#include "core/LogSinks.h"
#include "core/OnlineStatusSink.h"
#include "core/ProcessContext.h"
#include "core/SettingsStore.h"
#include "transport/ClSerial2000Adapter.h"
#include "transport/ClSerial2001Adapter.h"
#include "transport/ClSerialV11Adapter.h"
#include "transport/ComPortDriver.h"

namespace {

const int32_t kBaudRates[] = {9600, 19200, 38400, 57600, 115200};
constexpr int32_t kBaudRateCount = static_cast<int32_t>(sizeof kBaudRates / sizeof kBaudRates[0]);

// The camera's line: 8 data bits, no parity, one stop bit, no flow control.
constexpr int32_t kByteSize = 8;
constexpr uint8_t kOneStopBit = 0;
constexpr int32_t kXonXoffOff = 0;
constexpr int32_t kParityCheckOff = 0;

}  // namespace

CameraPort::CameraPort(ProcessContext& context) : context_(context) {
    SettingsStore& settings = context_.Get<SettingsStore>();
    // The baud rate of the previous run is not restored: every run starts at 9600.
    settings.ReadDword(kCommunicationMode, category_, 0);
    settings.ReadDword(kComPortNo, comPortIndex_, 0);
    settings.ReadDword(kCameralink2000DllIndex, cl2000Index_, 0);
    settings.ReadDword(kCameralink2001DllIndex, cl2001Index_, 0);
    settings.ReadDword(kCameralinkVer11DllIndex, clV11Index_, 0);
}

CameraPort::~CameraPort() {
    SettingsStore& settings = context_.Get<SettingsStore>();
    settings.WriteDword(kCommunicationMode, category_);
    settings.WriteDword(kBaudrate, baudRate_);
    settings.WriteDword(kComPortNo, comPortIndex_);
    settings.WriteDword(kCameralink2000DllIndex, cl2000Index_);
    settings.WriteDword(kCameralink2001DllIndex, cl2001Index_);
    settings.WriteDword(kCameralinkVer11DllIndex, clV11Index_);
}

ComPortDriver& CameraPort::ComDriver() {
    return context_.Get<ComPortDriver>();
}

bool CameraPort::Open(int32_t category, int32_t baudRate, int32_t portIndex) {
    Close();
    // A link chosen afresh ends any looking for a lost one.
    linkLost_ = false;
    cameraLinkFailed_ = false;
    // The selection is kept even when the open fails.
    category_ = category;
    baudRate_ = baudRate;
    switch (category) {
        case kComCategory:
            comPortIndex_ = portIndex;
            return ComDriver().Open("COM" + std::to_string(int64_t{portIndex} + 1), baudRate,
                                    kByteSize, kOneStopBit, kXonXoffOff, kParityCheckOff);
        case kCameraLink2000Category:
            cl2000Index_ = portIndex;
            return OpenCameraLink(category, portIndex, baudRate);
        case kCameraLink2001Category:
            cl2001Index_ = portIndex;
            return OpenCameraLink(category, portIndex, baudRate);
        case kCameraLinkV11Category:
            clV11Index_ = portIndex;
            return OpenCameraLink(category, portIndex, baudRate);
        default:
            return false;
    }
}

bool CameraPort::Reopen() {
    return Open(category_, baudRate_, GetPortIndex());
}

bool CameraPort::SelectCategory(int32_t category) {
    return Open(category, baudRate_, StoredIndex(category));
}

bool CameraPort::SetBaudRate(int32_t baudRate) {
    return Open(category_, baudRate, GetPortIndex());
}

bool CameraPort::SelectPort(int32_t portIndex) {
    return Open(category_, baudRate_, portIndex);
}

void CameraPort::Close() {
    switch (category_) {
        case kComCategory:
            if (context_.Has<ComPortDriver>()) {
                ComDriver().Close();
            }
            break;
        case kCameraLink2000Category:
        case kCameraLink2001Category:
        case kCameraLinkV11Category:
            CloseCameraLink(category_);
            break;
        default:
            break;
    }
}

bool CameraPort::Write(const std::string& text) {
    // A failed transmission is not reported here: it shows as a missing reply.
    switch (category_) {
        case kComCategory:
            ComDriver().Write(text.data(), static_cast<int32_t>(text.size()));
            break;
        case kCameraLink2000Category:
        case kCameraLink2001Category:
        case kCameraLinkV11Category:
            WriteCameraLink(category_, text);
            break;
        default:
            return false;
    }
    LogTransmitted(text);
    return true;
}

void CameraPort::LogTransmitted(const std::string& text) {
    std::string line = text;
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
        line.pop_back();
    }
    context_.Get<TerminalLogSink>().AddLine("Tx: " + line);
    context_.Get<MessageLogSink>().Add(line);
}

int32_t CameraPort::Read(char* buffer, int32_t count, int32_t timeoutMs) {
    return Read(buffer, count, Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0)));
}

int32_t CameraPort::Read(char* buffer, int32_t count, Clock::time_point deadline) {
    if (buffer == nullptr || count <= 0) {
        return 0;
    }
    int32_t got = 0;
    for (;;) {
        if (LinkLost()) {
            return got;  // nothing more will come: no wait, and no busy loop till the deadline
        }
        got += ReadOnce(buffer + got, deadline);
        if (got >= count || Clock::now() >= deadline) {
            return got;
        }
    }
}

int32_t CameraPort::ReadOnce(char* byte, Clock::time_point deadline) {
    switch (category_) {
        case kComCategory: {
            ComPortDriver& driver = ComDriver();
            const int32_t got = driver.Read(byte, 1);
            if (got == 0) {
                // Sleeps until the receive thread stores a byte instead of asking again and
                // again, so that waiting for a reply costs no processor time.
                driver.WaitForData(deadline);
            }
            return got;
        }
        case kCameraLink2000Category:
        case kCameraLink2001Category:
        case kCameraLinkV11Category:
            return ReadCameraLink(category_, byte, deadline);
        default:
            // Nothing will come; wait out the time-out without polling.
            std::this_thread::sleep_until(deadline);
            return 0;
    }
}

bool CameraPort::PortInUse() {
    return category_ == kComCategory && ComDriver().OpenFoundPortInUse();
}

namespace {

constexpr std::chrono::seconds kReconnectPeriod{1};

}  // namespace

bool CameraPort::DeviceFailed() {
    switch (category_) {
        case kComCategory:
            return context_.Has<ComPortDriver>() && ComDriver().DeviceLost();
        case kCameraLink2000Category:
        case kCameraLink2001Category:
        case kCameraLinkV11Category:
            return cameraLinkFailed_;
        default:
            return false;
    }
}

bool CameraPort::LinkLost() {
    return linkLost_ || DeviceFailed();
}

std::string CameraPort::LinkDescription() {
    if (category_ == kComCategory) {
        return ComDriver().PortDescription();
    }
    return GetPortName(GetPortIndex()) + " (Camera Link)";
}

void CameraPort::ReleaseLostLink() {
    if (category_ == kComCategory) {
        ComDriver().ReleaseLostDevice();
    } else {
        CloseCameraLink(category_);
    }
}

bool CameraPort::ReconnectQuietly() {
    if (category_ == kComCategory) {
        return ComDriver().Reconnect();
    }
    if (!OpenCameraLink(category_, GetPortIndex(), baudRate_)) {
        CloseCameraLink(category_);
        return false;
    }
    cameraLinkFailed_ = false;
    return true;
}

LinkChange CameraPort::CheckLink() {
    const Clock::time_point now = Clock::now();
    if (!linkLost_) {
        if (!DeviceFailed()) {
            return LinkChange::None;
        }
        linkLost_ = true;
        lostLink_ = LinkDescription();
        // The dead device is let go at once: held open, it would keep its path from coming back
        // as the same device.
        ReleaseLostLink();
        context_.Get<OnlineStatusSink>().SetOnline(false);
        context_.Get<MessageLogSink>().Add(lostLink_ +
                                           " went away; looking for it again once a second");
        nextAttempt_ = now + kReconnectPeriod;
        return LinkChange::Lost;
    }
    if (now < nextAttempt_) {
        return LinkChange::None;
    }
    nextAttempt_ = now + kReconnectPeriod;
    if (!ReconnectQuietly()) {
        return LinkChange::None;
    }
    linkLost_ = false;
    context_.Get<MessageLogSink>().Add(lostLink_ + " is back");
    return LinkChange::Back;
}

int32_t CameraPort::GetPortCount() {
    switch (category_) {
        case kComCategory:
            return ComDriver().GetPortCount();
        case kCameraLink2000Category:
        case kCameraLink2001Category:
        case kCameraLinkV11Category:
            return CountCameraLinkPorts(category_);
        default:
            return 0;
    }
}

std::string CameraPort::GetPortName(int32_t index) {
    switch (category_) {
        case kComCategory:
            return ComDriver().GetPortName(index);
        case kCameraLink2000Category:
        case kCameraLink2001Category:
        case kCameraLinkV11Category:
            return NameCameraLinkPort(category_, index);
        default:
            return "ERROR";
    }
}

int32_t CameraPort::GetPortIndex() const {
    return StoredIndex(category_);
}

int32_t CameraPort::StoredIndex(int32_t category) const {
    switch (category) {
        case kComCategory:
            return comPortIndex_;
        case kCameraLink2000Category:
            return cl2000Index_;
        case kCameraLink2001Category:
            return cl2001Index_;
        case kCameraLinkV11Category:
            return clV11Index_;
        default:
            return 0;
    }
}

int32_t CameraPort::GetBaudIndex() const {
    for (int32_t index = 0; index < kBaudRateCount; ++index) {
        if (kBaudRates[index] == baudRate_) {
            return index;
        }
    }
    return 0;
}

int32_t CameraPort::BaudRateFromIndex(int32_t index) {
    return index >= 0 && index < kBaudRateCount ? kBaudRates[index] : kBaudRates[0];
}

int32_t CameraPort::TakeDroppedByteCount() {
    return context_.Has<ComPortDriver>() ? ComDriver().TakeDroppedByteCount() : 0;
}

namespace {

// The library time-out of each Camera Link read attempt.
constexpr int32_t kClReadTimeoutMs = 10;
constexpr int32_t kClWriteTimeoutMs = 500;

// The adapter of a Camera Link category; none when it was never used and need not be made.
ClSerialAdapter* Adapter(ProcessContext& context, int32_t category, bool make = true) {
    switch (category) {
        case kCameraLink2000Category:
            return make || context.Has<ClSerial2000Adapter>() ? &context.Get<ClSerial2000Adapter>()
                                                              : nullptr;
        case kCameraLink2001Category:
            return make || context.Has<ClSerial2001Adapter>() ? &context.Get<ClSerial2001Adapter>()
                                                              : nullptr;
        default:
            return make || context.Has<ClSerialV11Adapter>() ? &context.Get<ClSerialV11Adapter>()
                                                             : nullptr;
    }
}

}  // namespace

bool CameraPort::OpenCameraLink(int32_t category, int32_t portIndex, int32_t baudRate) {
    ClSerialAdapter& adapter = *Adapter(context_, category);
    return adapter.Open(portIndex) && adapter.SetBaudRate(baudRate);
}

void CameraPort::CloseCameraLink(int32_t category) {
    // An adapter never used has nothing to close.
    if (ClSerialAdapter* adapter = Adapter(context_, category, false)) {
        adapter->Close();
    }
}

bool CameraPort::WriteCameraLink(int32_t category, const std::string& text) {
    return Adapter(context_, category)
        ->Write(text.data(), static_cast<int32_t>(text.size()), kClWriteTimeoutMs);
}

int32_t CameraPort::ReadCameraLink(int32_t category, char* byte, Clock::time_point deadline) {
    const Clock::time_point start = Clock::now();
    // The library waits up to its own time-out, but never past the caller's deadline.
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - start).count();
    const int32_t timeoutMs =
        static_cast<int32_t>(std::clamp<decltype(left)>(left, 0, kClReadTimeoutMs));
    ClSerialAdapter& adapter = *Adapter(context_, category);
    const bool open = adapter.IsOpen();
    const int32_t got = open ? adapter.Read(byte, 1, timeoutMs) : -1;
    if (got > 0) {
        return got;
    }
    if (got < 0 && open) {
        cameraLinkFailed_ = true;  // the frame grabber's serial port failed or went away
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

bool CameraPort::IsOpen() {
    switch (category_) {
        case kComCategory:
            return context_.Has<ComPortDriver>() && ComDriver().IsOpen();
        case kCameraLink2000Category:
        case kCameraLink2001Category:
        case kCameraLinkV11Category: {
            const ClSerialAdapter* adapter = Adapter(context_, category_, false);
            return adapter != nullptr && adapter->IsOpen();
        }
        default:
            return false;
    }
}

std::string CameraPort::OpenFailureReason() {
    if (category_ != kCameraLink2000Category && category_ != kCameraLink2001Category &&
        category_ != kCameraLinkV11Category) {
        return std::string();
    }
    const ClSerialAdapter* adapter = Adapter(context_, category_, false);
    return adapter != nullptr ? adapter->OpenFailureReason() : std::string();
}

int32_t CameraPort::CountCameraLinkPorts(int32_t category) {
    return Adapter(context_, category)->GetPortCount();
}

std::string CameraPort::NameCameraLinkPort(int32_t category, int32_t index) {
    return Adapter(context_, category)->GetPortName(index);
}
