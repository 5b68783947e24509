#include "transport/CameraPort.h"

#include <algorithm>
#include <cctype>
#include <thread>

#include "core/LogSinks.h"
#include "core/OnlineStatusSink.h"
#include "core/ProcessContext.h"
#include "core/SettingsStore.h"
#include "platform/ComPortName.h"
#include "platform/SerialInventory.h"
#include "transport/CameraLinkBackend.h"
#include "transport/ClSerial2000Adapter.h"
#include "transport/ClSerial2001Adapter.h"
#include "transport/ClSerialV11Adapter.h"
#include "transport/ComPortDriver.h"
#include "transport/PortName.h"
#include "transport/SerialLinkBackend.h"

namespace {

const int32_t kBaudRates[] = {9600, 19200, 38400, 57600, 115200};
constexpr int32_t kBaudRateCount = static_cast<int32_t>(sizeof kBaudRates / sizeof kBaudRates[0]);

constexpr std::chrono::seconds kReconnectPeriod{1};

std::string ComName(int32_t index) {
    return "COM" + std::to_string(int64_t{index} + 1);
}

// A name kept as given when it is none the COM category takes, so that it fails to open
// with the driver's message rather than vanish.
std::string Canonical(const std::string& name) {
    return CanonicalPortName(name).value_or(name);
}

}  // namespace

CameraPort::CameraPort(ProcessContext& context) : context_(context) {
    SettingsStore& settings = context_.Get<SettingsStore>();
    // The baud rate of the previous run is not restored: every run starts at 9600.
    settings.ReadDword(kCommunicationMode, category_, 0);
    settings.ReadDword(kComPortNo, comPortNumber_, 0);
    settings.ReadDword(kCameralink2000DllIndex, cl2000Index_, 0);
    settings.ReadDword(kCameralink2001DllIndex, cl2001Index_, 0);
    settings.ReadDword(kCameralinkVer11DllIndex, clV11Index_, 0);
    // The name as the operator gave it is kept beside the COM number; a name an older
    // version never wrote leaves the number in charge.
    std::string name;
    comPortName_ = settings.ReadText(kComPortName, name) && !name.empty() ? Canonical(name)
                                                                          : ComName(comPortNumber_);
}

CameraPort::~CameraPort() {
    SettingsStore& settings = context_.Get<SettingsStore>();
    const int32_t number = ComPortNumber(comPortName_);
    settings.WriteDword(kCommunicationMode, category_);
    settings.WriteDword(kBaudrate, baudRate_);
    settings.WriteDword(kComPortNo, number >= 1 && number <= ComPortDriver::kPortCount
                                        ? number - 1
                                        : comPortNumber_);
    settings.WriteDword(kCameralink2000DllIndex, cl2000Index_);
    settings.WriteDword(kCameralink2001DllIndex, cl2001Index_);
    settings.WriteDword(kCameralinkVer11DllIndex, clV11Index_);
    settings.WriteText(kComPortName, comPortName_);
}

ClSerialAdapter* CameraPort::Adapter(int32_t category, bool make) {
    switch (category) {
        case kCameraLink2000Category:
            return make || context_.Has<ClSerial2000Adapter>()
                       ? &context_.Get<ClSerial2000Adapter>()
                       : nullptr;
        case kCameraLink2001Category:
            return make || context_.Has<ClSerial2001Adapter>()
                       ? &context_.Get<ClSerial2001Adapter>()
                       : nullptr;
        case kCameraLinkV11Category:
            return make || context_.Has<ClSerialV11Adapter>() ? &context_.Get<ClSerialV11Adapter>()
                                                              : nullptr;
        default:
            return nullptr;
    }
}

bool CameraPort::Open(int32_t category, int32_t baudRate, int32_t portIndex) {
    Close();
    // A link chosen afresh ends any looking for a lost one.
    linkLost_ = false;
    // The selection is kept even when the open fails.
    category_ = category;
    baudRate_ = baudRate;
    if (category == kComCategory) {
        if (comPorts_.empty()) {
            ListComPorts();
        }
        comPortName_ = portIndex >= 0 && portIndex < static_cast<int32_t>(comPorts_.size())
                           ? comPorts_[portIndex]
                           : ComName(portIndex);
        link_ = std::make_unique<SerialLinkBackend>(context_.Get<ComPortDriver>(), comPortName_);
    } else if (ClSerialAdapter* adapter = Adapter(category)) {
        (category == kCameraLink2000Category   ? cl2000Index_
         : category == kCameraLink2001Category ? cl2001Index_
                                               : clV11Index_) = portIndex;
        link_ = std::make_unique<CameraLinkBackend>(*adapter, portIndex,
                                                    adapter->GetPortName(portIndex));
    } else {
        return false;
    }
    return link_->Open(baudRate);
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
    if (link_) {
        link_->Close();
        link_.reset();
    }
}

bool CameraPort::Write(const std::string& text) {
    if (category_ < kComCategory || category_ > kCameraLinkV11Category) {
        return false;
    }
    // A failed transmission is not reported here: it shows as a missing reply. A port that is
    // not open takes nothing.
    if (link_) {
        link_->Write(text);
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
    if (!link_) {
        // Nothing will come; wait out the time-out without polling.
        std::this_thread::sleep_until(deadline);
        return 0;
    }
    return link_->ReadOnce(byte, deadline);
}

bool CameraPort::PortInUse() {
    return link_ && link_->PortInUse();
}

bool CameraPort::DeviceFailed() {
    return link_ && link_->Failed();
}

bool CameraPort::LinkLost() {
    return linkLost_ || DeviceFailed();
}

LinkChange CameraPort::CheckLink() {
    const Clock::time_point now = Clock::now();
    if (!linkLost_) {
        if (!DeviceFailed()) {
            return LinkChange::None;
        }
        linkLost_ = true;
        lostLink_ = link_->Description();
        // The dead device is let go at once: held open, it would keep its path from coming back
        // as the same device.
        link_->ReleaseFailed();
        context_.Get<OnlineStatusSink>().SetOnline(false);
        context_.Get<MessageLogSink>().Add(lostLink_ +
                                           " went away; looking for it again once a second");
        nextAttempt_ = now + kReconnectPeriod;
        return LinkChange::Lost;
    }
    if (now < nextAttempt_ || !link_) {
        return LinkChange::None;
    }
    nextAttempt_ = now + kReconnectPeriod;
    if (!link_->Reconnect()) {
        return LinkChange::None;
    }
    linkLost_ = false;
    context_.Get<MessageLogSink>().Add(lostLink_ + " is back");
    return LinkChange::Back;
}

int32_t CameraPort::ListComPorts() {
    std::vector<std::string> ports;
    for (int32_t index = 0; index < ComPortDriver::kPortCount; ++index) {
        ports.push_back(ComName(index));
    }
    // A serial device present that none of those opens is offered by its stable name.
    comInventory_ = ListSerialDevices();
    std::vector<const SerialDeviceInfo*> covered;
    for (const std::string& name : ports) {
        covered.push_back(FindSerialDevice(comInventory_, name).device);
    }
    for (const SerialDeviceInfo& device : comInventory_.devices) {
        const std::string name = device.byId.empty() ? device.path : device.byId;
        if (std::find(covered.begin(), covered.end(), &device) == covered.end() &&
            std::find(ports.begin(), ports.end(), name) == ports.end()) {
            ports.push_back(name);
        }
    }
    // Names chosen before stay where they were, so that an index keeps its port.
    for (const std::string& name : comPorts_) {
        if (std::find(ports.begin(), ports.end(), name) == ports.end()) {
            ports.push_back(name);
        }
    }
    comPorts_ = ports;
    ComIndexOf(comPortName_);  // the port chosen is always in the list
    return static_cast<int32_t>(comPorts_.size());
}

int32_t CameraPort::ComIndexOf(const std::string& name) {
    if (name.empty()) {
        return -1;
    }
    const auto found = std::find(comPorts_.begin(), comPorts_.end(), name);
    if (found != comPorts_.end()) {
        return static_cast<int32_t>(found - comPorts_.begin());
    }
    comPorts_.push_back(name);
    return static_cast<int32_t>(comPorts_.size()) - 1;
}

int32_t CameraPort::GetPortCount() {
    if (category_ == kComCategory) {
        return ListComPorts();
    }
    ClSerialAdapter* adapter = Adapter(category_);
    return adapter != nullptr ? adapter->GetPortCount() : 0;
}

std::string CameraPort::GetPortName(int32_t index) {
    if (category_ == kComCategory) {
        if (comPorts_.empty()) {
            ListComPorts();
        }
        return index >= 0 && index < static_cast<int32_t>(comPorts_.size()) ? comPorts_[index]
                                                                            : "ERROR";
    }
    const ClSerialAdapter* adapter = Adapter(category_);
    return adapter != nullptr ? adapter->GetPortName(index) : "ERROR";
}

int32_t CameraPort::PortIndexOf(const std::string& portName) {
    if (comPorts_.empty()) {
        ListComPorts();
    }
    return ComIndexOf(Canonical(portName));
}

std::string CameraPort::CurrentPortName() {
    if (category_ == kComCategory) {
        return comPortName_;
    }
    const ClSerialAdapter* adapter = Adapter(category_, false);
    return adapter != nullptr ? adapter->GetPortName(GetPortIndex()) : std::string();
}

int32_t CameraPort::GetPortIndex() {
    return StoredIndex(category_);
}

int32_t CameraPort::StoredIndex(int32_t category) {
    switch (category) {
        case kComCategory:
            return PortIndexOf(comPortName_);
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
    return link_ ? link_->TakeDroppedByteCount() : 0;
}

bool CameraPort::IsOpen() {
    return link_ && link_->IsOpen();
}

std::string CameraPort::OpenFailureReason() {
    return link_ ? link_->OpenFailureReason() : std::string();
}
