#include "transport/ComPortDriver.h"

#include <algorithm>
#include <optional>

#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "core/WaitClock.h"
#include "platform/NamedLock.h"
#include "platform/SerialDevice.h"
#include "transport/NetworkPortName.h"
#include "transport/NetworkSerialDevice.h"

namespace {

int32_t NextIndex(int32_t index) {
    return (index + 1) % ComPortDriver::kRingSize;
}

// How long an Open the operator asked for may take to reach a device server on the network,
// and how long a quiet reconnection may hold up the window's tick that makes it: a server that
// is back answers on a local network within that, and one that is not is asked again a second
// later.
constexpr WaitClock::Span kNetworkOpenTimeout{3000};
constexpr WaitClock::Span kQuietNetworkOpenTimeout{250};

std::unique_ptr<SerialDevice> CreateDevice(const std::string& portName) {
    if (NetworkPortName::Is(portName)) {
        return std::make_unique<NetworkSerialDevice>();
    }
    return SerialDevice::Create();
}

}  // namespace

ComPortDriver::ComPortDriver(ProcessContext& context)
    : context_(context), port_(SerialDevice::Create()) {}

ComPortDriver::~ComPortDriver() {
    Close();
}

bool ComPortDriver::Open(const std::string& portName, int32_t baudRate, int32_t byteSize,
                         uint8_t stopBits, int32_t xonXoff, int32_t parityCheck) {
    portName_ = portName;
    baudRate_ = baudRate;
    byteSize_ = byteSize;
    stopBits_ = stopBits;
    xonXoff_ = xonXoff;
    parityCheck_ = parityCheck;
    return OpenPort(true);
}

bool ComPortDriver::Reconnect() {
    return !portName_.empty() && OpenPort(false);
}

bool ComPortDriver::OpenPort(bool tell) {
    CloseDevice();
    SerialSettings settings;
    settings.baudRate = baudRate_;
    settings.byteSize = byteSize_;
    settings.stopBits = stopBits_;
    settings.xonXoff = xonXoff_ == 1;
    settings.parityCheck = (parityCheck_ & 1) != 0;
    settings.openTimeout =
        tell ? context_.Get<WaitClock>().Timeout(kNetworkOpenTimeout) : kQuietNetworkOpenTimeout;
    // A port name chooses its kind of device afresh each time: the name may have changed.
    port_ = CreateDevice(portName_);
    const SerialOpenStep failed = port_->Open(portName_, settings);
    if (failed != SerialOpenStep::Done) {
        if (!tell) {
            return false;  // the device is still lost; the next attempt will tell no more
        }
        lost_.store(false);
        std::string text = "Failed to initialize " + portName_ + " port!\nError in " +
                           SerialOpenStepCallName(failed) + "()";
        const std::string reason = port_->OpenFailureReason();
        if (!reason.empty()) {
            text += "\n" + reason;
        }
        context_.Get<Notifier>().Warn(text);
        return false;
    }
    // The lock is the port's own; no receive thread runs yet to hold the old one.
    if (!lock_ || lockedPort_ != portName_) {
        lock_ = NamedLock::Create(portName_);
        lockedPort_ = portName_;
    }
    // Bytes of an earlier session are not this port's.
    head_.store(0);
    tail_.store(0);
    droppedBytes_.store(0);
    lost_.store(false);
    running_.store(true);
    receiveThread_ = std::thread(&ComPortDriver::ReceiveLoop, this);
    return true;
}

void ComPortDriver::Close() {
    CloseDevice();
    lost_.store(false);
}

void ComPortDriver::ReleaseLostDevice() {
    CloseDevice();
}

void ComPortDriver::CloseDevice() {
    running_.store(false);
    if (port_->IsOpen()) {
        port_->ReleaseWait();
    }
    if (receiveThread_.joinable()) {
        receiveThread_.join();
    }
    if (port_->IsOpen()) {
        port_->Close();
    }
}

std::string ComPortDriver::PortDescription() const {
    if (NetworkPortName::Is(portName_)) {
        return portName_;  // the name says where the line is
    }
    const std::string device = SerialDevice::DeviceName(portName_);
    return device.empty() || device == portName_ ? portName_ : portName_ + " (" + device + ")";
}

bool ComPortDriver::IsOpen() const {
    return port_->IsOpen();
}

bool ComPortDriver::OpenFoundPortInUse() const {
    return port_->OpenFoundPortInUse();
}

bool ComPortDriver::Write(const char* bytes, int32_t count) {
    if (!port_->IsOpen() || bytes == nullptr || count <= 0) {
        return false;
    }
    NamedLockHold hold(*lock_);
    // A byte that cannot leave within the write time-out means the line is stuck; the rest of
    // the text would only wait as long again each, so the device gives it up.
    port_->Write(bytes, count);
    return true;
}

int32_t ComPortDriver::Read(char* buffer, int32_t maxCount) {
    if (!port_->IsOpen() || buffer == nullptr || maxCount <= 0) {
        return 0;
    }
    const int32_t head = head_.load(std::memory_order_acquire);
    int32_t tail = tail_.load(std::memory_order_relaxed);
    int32_t copied = 0;
    while (tail != head && copied < maxCount) {
        buffer[copied++] = ring_[tail];
        tail = NextIndex(tail);
    }
    tail_.store(tail, std::memory_order_release);
    return copied;
}

int32_t ComPortDriver::GetAvailable() const {
    const int32_t unread = head_.load(std::memory_order_acquire) - tail_.load();
    return unread < 0 ? unread + kRingSize : unread;
}

void ComPortDriver::ResetBuffer() {
    // Only the reader moves the tail, so the receive thread may go on storing meanwhile.
    tail_.store(head_.load(std::memory_order_acquire), std::memory_order_release);
}

bool ComPortDriver::HasUnread() const {
    return port_->IsOpen() && GetAvailable() > 0;
}

bool ComPortDriver::LineReady() const {
    const int32_t head = head_.load(std::memory_order_acquire);
    int32_t tail = tail_.load(std::memory_order_relaxed);
    if (GetAvailable() >= kRingSize / 2) {
        return true;
    }
    for (; tail != head; tail = NextIndex(tail)) {
        if (ring_[tail] == '\n') {
            return true;
        }
    }
    return false;
}

bool ComPortDriver::WaitForData(std::chrono::steady_clock::time_point deadline) {
    using Clock = std::chrono::steady_clock;
    // A wait that is over before it began (a look at what is there) needs no sleep.
    if (Clock::now() >= deadline) {
        return HasUnread();
    }
    std::unique_lock<std::mutex> guard(receivedMutex_);
    std::optional<Clock::time_point> partSeen;
    // A lost device sends nothing more: waiting for it would only hold the caller up.
    while (!lost_.load()) {
        Clock::time_point until = deadline;
        if (HasUnread()) {
            if (LineReady()) {
                break;
            }
            if (!partSeen) {
                partSeen = Clock::now();
            }
            until = std::min(deadline, *partSeen + kPartialLineWait);
        }
        if (Clock::now() >= until) {
            break;
        }
        waitingForBytes_ = !HasUnread();
        received_.wait_until(guard, until);
        waitingForBytes_ = false;
    }
    return HasUnread();
}

int32_t ComPortDriver::TakeDroppedByteCount() {
    return droppedBytes_.exchange(0);
}

std::string ComPortDriver::GetPortName(int32_t index) const {
    if (index < 0 || index >= kPortCount) {
        return "ERROR";
    }
    return "COM" + std::to_string(index + 1);
}

void ComPortDriver::ReceiveLoop() {
    while (running_.load()) {
        const SerialWait wait = port_->WaitForInput();
        if (wait == SerialWait::Again) {
            continue;
        }
        if (wait == SerialWait::Released) {
            return;
        }
        // A failed device sends nothing more until it is opened again; the thread ends rather
        // than spin on it, and the owner of the port learns of it from DeviceLost.
        if (wait == SerialWait::Failed || !Drain()) {
            MarkLost();
            return;
        }
    }
}

void ComPortDriver::MarkLost() {
    {
        std::lock_guard<std::mutex> guard(receivedMutex_);
        lost_.store(true);
    }
    received_.notify_all();
}

bool ComPortDriver::Drain() {
    bool deviceAlive = true;
    // A waiting reader is woken by a line end or a filling ring, or by the first bytes when it
    // has none; bytes in between would only wake it to find its line not yet whole.
    bool lineReady = false;
    {
        NamedLockHold hold(*lock_);
        char chunk[256];
        for (;;) {
            const int32_t got = port_->ReadAvailable(chunk, static_cast<int32_t>(sizeof chunk));
            if (got < 0) {
                deviceAlive = false;
                break;
            }
            for (int32_t i = 0; i < got; ++i) {
                Store(chunk[i]);
                lineReady = lineReady || chunk[i] == '\n';
            }
            if (got < static_cast<int32_t>(sizeof chunk)) {
                break;
            }
        }
        lineReady = lineReady || GetAvailable() >= kRingSize / 2;
    }
    bool wake = false;
    {
        // Taking the mutex orders the stores above before the reader's next check.
        std::lock_guard<std::mutex> guard(receivedMutex_);
        wake = lineReady || waitingForBytes_;
    }
    if (wake) {
        received_.notify_all();
    }
    return deviceAlive;
}

void ComPortDriver::Store(char byte) {
    const int32_t head = head_.load(std::memory_order_relaxed);
    const int32_t next = NextIndex(head);
    if (next == tail_.load(std::memory_order_acquire)) {
        // Overwriting would lose the oldest unread bytes without a trace; this byte is lost
        // instead, and counted.
        droppedBytes_.fetch_add(1);
        return;
    }
    ring_[head] = byte;
    head_.store(next, std::memory_order_release);
}
