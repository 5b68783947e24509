// The serial port on Windows: the comm functions on an overlapped handle. Each overlapped
// record has its own event, so the receive thread's pending event wait and the byte reads and
// writes never mistake each other's completion.
#include <windows.h>

#include <string>

#include "platform/ComPortName.h"
#include "platform/PortInUseText.h"
#include "platform/SerialDevice.h"
#include "platform/win32/Win32ErrorText.h"

namespace {

constexpr DWORD kQueueSize = 1024;
constexpr DWORD kWriteTimeoutMs = 20000;
constexpr WORD kXonLimit = 100;
constexpr WORD kXoffLimit = 1500;
constexpr DWORD kQueuePollMs = 5;

class Win32SerialDevice : public SerialDevice {
public:
    Win32SerialDevice() {
        for (OVERLAPPED* record : {&writeRecord_, &readRecord_, &waitRecord_}) {
            ZeroMemory(record, sizeof *record);
            record->hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        }
        release_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    }

    ~Win32SerialDevice() override {
        Close();
        for (OVERLAPPED* record : {&writeRecord_, &readRecord_, &waitRecord_}) {
            if (record->hEvent != nullptr) {
                CloseHandle(record->hEvent);
            }
        }
        if (release_ != nullptr) {
            CloseHandle(release_);
        }
    }

    SerialOpenStep Open(const std::string& portName, const SerialSettings& settings) override {
        Close();
        // "\\.\" opens every COM port, also those above COM9 that the bare name does not.
        path_ = "\\\\.\\" + portName;
        reason_.clear();
        inUse_ = false;
        if (ComPortNumberAnyCase(portName) == 0) {
            reason_ = portName + ": no port goes by this name; Windows names them COM1 ... COM" +
                      std::to_string(kHighestComPort);
            return SerialOpenStep::OpenDevice;
        }
        // Windows opens a COM port for one program at a time, but Wine opens it again and the
        // two copies steal each other's replies: a named claim per port refuses a second copy
        // of this program on either. The system drops it with the process.
        claim_ = CreateMutexA(nullptr, FALSE, ("RV Control Tool " + portName).c_str());
        if (claim_ != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
            SetLastError(ERROR_SHARING_VIOLATION);
            return InUse();
        }
        handle_ = CreateFileA(path_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_FLAG_OVERLAPPED | FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE) {
            handle_ = nullptr;
            const DWORD error = GetLastError();
            if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION) {
                return InUse();
            }
            return Fail(SerialOpenStep::OpenDevice);
        }
        if (!SetCommMask(handle_, EV_RXCHAR)) {
            return Fail(SerialOpenStep::SetEventMask);
        }
        if (!SetupComm(handle_, kQueueSize, kQueueSize)) {
            return Fail(SerialOpenStep::SetQueues);
        }
        // A read returns at once with what is there; a write gives up after 20 s.
        COMMTIMEOUTS timeouts{};
        timeouts.ReadIntervalTimeout = MAXDWORD;
        timeouts.ReadTotalTimeoutMultiplier = 0;
        timeouts.ReadTotalTimeoutConstant = 0;
        timeouts.WriteTotalTimeoutMultiplier = 0;
        timeouts.WriteTotalTimeoutConstant = kWriteTimeoutMs;
        if (!SetCommTimeouts(handle_, &timeouts)) {
            return Fail(SerialOpenStep::SetTimeouts);
        }
        DCB line{};
        line.DCBlength = sizeof line;
        if (!GetCommState(handle_, &line)) {
            return Fail(SerialOpenStep::GetLineState);
        }
        line.DCBlength = sizeof line;
        line.BaudRate = static_cast<DWORD>(settings.baudRate);
        line.ByteSize = static_cast<BYTE>(settings.byteSize);
        line.Parity = NOPARITY;
        line.StopBits = settings.stopBits;
        line.fBinary = TRUE;
        line.fParity = settings.parityCheck ? TRUE : FALSE;
        line.fOutxCtsFlow = FALSE;
        line.fRtsControl = RTS_CONTROL_DISABLE;
        line.fOutX = settings.xonXoff ? TRUE : FALSE;
        line.fInX = settings.xonXoff ? TRUE : FALSE;
        line.XonLim = kXonLimit;
        line.XoffLim = kXoffLimit;
        if (!SetCommState(handle_, &line)) {
            return Fail(SerialOpenStep::SetLineState);
        }
        EscapeCommFunction(handle_, SETDTR);
        ResetEvent(release_);
        pollQueue_ = false;
        return SerialOpenStep::Done;
    }

    std::string OpenFailureReason() const override { return reason_; }
    bool OpenFoundPortInUse() const override { return inUse_; }

    void Close() override {
        if (handle_ != nullptr) {
            CloseHandle(handle_);
            handle_ = nullptr;
        }
        if (claim_ != nullptr) {
            CloseHandle(claim_);
            claim_ = nullptr;
        }
    }

    bool IsOpen() const override { return handle_ != nullptr; }

    SerialWait WaitForInput() override {
        if (WaitForSingleObject(release_, 0) == WAIT_OBJECT_0) {
            return SerialWait::Released;
        }
        if (pollQueue_) {
            return InputOrPause();
        }
        DWORD events = 0;
        ResetEvent(waitRecord_.hEvent);
        if (!WaitCommEvent(handle_, &events, &waitRecord_)) {
            if (GetLastError() != ERROR_IO_PENDING) {
                return InputOrPause();
            }
            HANDLE ends[2] = {waitRecord_.hEvent, release_};
            DWORD transferred = 0;
            if (WaitForMultipleObjects(2, ends, FALSE, INFINITE) != WAIT_OBJECT_0) {
                // The record must be free before the handle closes: end the pending wait.
                CancelIo(handle_);
                GetOverlappedResult(handle_, &waitRecord_, &transferred, TRUE);
                return SerialWait::Released;
            }
            if (!GetOverlappedResult(handle_, &waitRecord_, &transferred, FALSE)) {
                // A driver that gave the wait up will give every later one up too.
                pollQueue_ = GetLastError() == ERROR_OPERATION_ABORTED;
                return InputOrPause();
            }
        }
        // A cleared mask ends the wait with no event: the loop then sees it is to stop.
        return events == EV_RXCHAR ? SerialWait::Input : SerialWait::Again;
    }

    void ReleaseWait() override {
        SetEvent(release_);
        SetCommMask(handle_, 0);
    }

    int32_t ReadAvailable(char* buffer, int32_t capacity) override {
        DWORD errors = 0;
        COMSTAT status{};
        // Line errors are cleared and dropped; the bytes that came through still count.
        if (!ClearCommError(handle_, &errors, &status)) {
            return -1;
        }
        const DWORD waiting = status.cbInQue < static_cast<DWORD>(capacity)
                                  ? status.cbInQue
                                  : static_cast<DWORD>(capacity);
        if (waiting == 0) {
            return 0;
        }
        // What waits is taken in one read, which returns at once with it: every read is a
        // round trip through the system (under Wine, through its server), and on a busy
        // machine a reply taken byte by byte came in later than its time-out.
        DWORD read = 0;
        ResetEvent(readRecord_.hEvent);
        if (!ReadFile(handle_, buffer, waiting, &read, &readRecord_) &&
            (GetLastError() != ERROR_IO_PENDING ||
             !GetOverlappedResult(handle_, &readRecord_, &read, TRUE))) {
            // One failed read is no lost device: reception goes on while the port still
            // answers, and the bytes are read on the next pass, after a pause that keeps a
            // read failing again and again from becoming a busy loop.
            if (!ClearCommError(handle_, &errors, &status)) {
                return -1;
            }
            WaitForSingleObject(release_, kQueuePollMs);
            return 0;
        }
        return static_cast<int32_t>(read);
    }

    bool WriteByte(char byte) override {
        DWORD written = 0;
        ResetEvent(writeRecord_.hEvent);
        if (!WriteFile(handle_, &byte, 1, &written, &writeRecord_) &&
            (GetLastError() != ERROR_IO_PENDING ||
             !GetOverlappedResult(handle_, &writeRecord_, &written, TRUE))) {
            return false;
        }
        FlushFileBuffers(handle_);
        return written == 1;
    }

private:
    // An event wait that failed: only a device that fails too ends reception. A driver that
    // cannot watch the line aborts every wait (Wine on a device without modem lines, such as a
    // pseudo terminal, where each wait costs a thread that gives up at once and, on a busy
    // machine, starts hundreds of milliseconds late); from the first aborted wait on, the queue
    // is looked at instead, every few milliseconds, so that the bytes still come in time and
    // the wait is no busy loop.
    SerialWait InputOrPause() {
        DWORD errors = 0;
        COMSTAT status{};
        if (!ClearCommError(handle_, &errors, &status)) {
            return SerialWait::Failed;
        }
        if (status.cbInQue > 0) {
            return SerialWait::Input;
        }
        return WaitForSingleObject(release_, kQueuePollMs) == WAIT_OBJECT_0 ? SerialWait::Released
                                                                            : SerialWait::Again;
    }

    // The system's reason is taken before closing can change it.
    SerialOpenStep Fail(SerialOpenStep step) {
        reason_ = path_ + ": " + Win32ErrorText(GetLastError());
        Close();
        return step;
    }

    // Windows does not say which program holds a port.
    SerialOpenStep InUse() {
        Fail(SerialOpenStep::OpenDevice);
        inUse_ = true;
        reason_ += "\n" + PortInUseText(0);
        return SerialOpenStep::OpenDevice;
    }

    HANDLE handle_ = nullptr;
    HANDLE claim_ = nullptr;
    std::string path_;
    std::string reason_;
    bool inUse_ = false;
    OVERLAPPED writeRecord_;
    OVERLAPPED readRecord_;
    OVERLAPPED waitRecord_;
    HANDLE release_ = nullptr;
    bool pollQueue_ = false;  // the driver aborts every event wait (see InputOrPause)
};

}  // namespace

std::unique_ptr<SerialDevice> SerialDevice::Create() {
    return std::make_unique<Win32SerialDevice>();
}

std::string SerialDevice::DeviceName(const std::string&) {
    return std::string();  // "COM3" is the device's own name
}
