#pragma once

#include <chrono>
#include <cstdint>
#include <string>

class ComPortDriver;
class ProcessContext;

// Link category: which driver carries the camera's serial line.
enum PortCategory : int32_t {
    kComCategory = 0,
    kCameraLink2000Category = 1,
    kCameraLink2001Category = 2,
    kCameraLinkV11Category = 3,
};

// What became of the link since the last CheckLink.
enum class LinkChange {
    None,  // as it was: working, or still gone
    Lost,  // the device went away (hang-up, I/O error): closed, looked for once a second
    Back,  // the device is there again and open; the camera is worth reading again
};

// The one object through which the program talks to the camera. Remembers the category, the
// baud rate and the port last chosen for every category, and forwards to the category's driver.
class CameraPort {
public:
    explicit CameraPort(ProcessContext& context);
    ~CameraPort();  // writes the six link values to the settings store, in order
    CameraPort(const CameraPort&) = delete;
    CameraPort& operator=(const CameraPort&) = delete;

    bool Open(int32_t category, int32_t baudRate, int32_t portIndex);
    bool Reopen();
    bool SelectCategory(int32_t category);
    bool SetBaudRate(int32_t baudRate);
    bool SelectPort(int32_t portIndex);
    void Close();
    // Why the last open of a Camera Link category failed where its library is to blame: the
    // files and folders tried. Empty otherwise; the COM port driver tells its failures itself.
    std::string OpenFailureReason();
    // Whether the last open was refused because another program holds the port, which no
    // other baud rate changes.
    bool PortInUse();
    // Whether the link of the category is open (a camera may still not answer on it).
    bool IsOpen();

    // Sends all bytes of the text, then logs it ("Tx: " to the terminal log, bare to the
    // message log, trailing CR/LF removed). False only for a category that is not one of four.
    bool Write(const std::string& text);
    // Collects up to count bytes within the time-out; returns as soon as count bytes are there.
    // The wait sleeps until bytes arrive, so a reply is taken the moment it is there.
    int32_t Read(char* buffer, int32_t count, int32_t timeoutMs);
    int32_t Read(char* buffer, int32_t count, std::chrono::steady_clock::time_point deadline);

    int32_t GetPortCount();
    std::string GetPortName(int32_t index);
    int32_t GetCategory() const { return category_; }
    void SetCategory(int32_t category) { category_ = category; }
    int32_t GetPortIndex() const;
    int32_t GetBaudIndex() const;
    int32_t GetBaudRate() const { return baudRate_; }
    static int32_t BaudRateFromIndex(int32_t index);

    // True while the device of the open link is gone: every read ends at once.
    bool LinkLost();
    // Watches the link; called from the program's periodic tick, never during a request. A
    // lost device is told once (offline status, a message-log line naming it), then its path
    // is tried once a second until it opens again with the same settings.
    LinkChange CheckLink();
    // The link that went away, as the message log named it ("COM5 (/dev/ttyUSB0)").
    const std::string& LostLink() const { return lostLink_; }

    // Received bytes the driver had to drop since the last call because its ring was full.
    int32_t TakeDroppedByteCount();

private:
    using Clock = std::chrono::steady_clock;

    ComPortDriver& ComDriver();
    int32_t StoredIndex(int32_t category) const;
    // One attempt to get a byte for Read; waits, without polling, for the next attempt.
    int32_t ReadOnce(char* byte, Clock::time_point deadline);
    void LogTransmitted(const std::string& text);

    // The Camera Link categories, one library generation each.
    bool OpenCameraLink(int32_t category, int32_t portIndex, int32_t baudRate);
    void CloseCameraLink(int32_t category);
    bool WriteCameraLink(int32_t category, const std::string& text);
    int32_t ReadCameraLink(int32_t category, char* byte, Clock::time_point deadline);
    int32_t CountCameraLinkPorts(int32_t category);
    std::string NameCameraLinkPort(int32_t category, int32_t index);

    // Whether the driver of the current category saw its device fail.
    bool DeviceFailed();
    void ReleaseLostLink();
    bool ReconnectQuietly();
    std::string LinkDescription();

    ProcessContext& context_;
    bool linkLost_ = false;          // told as lost, looked for since
    bool cameraLinkFailed_ = false;  // a Camera Link read failed on the open port
    Clock::time_point nextAttempt_{};
    std::string lostLink_;
    int32_t category_ = kComCategory;
    int32_t baudRate_ = 9600;
    int32_t comPortIndex_ = 0;
    int32_t cl2000Index_ = 0;
    int32_t cl2001Index_ = 0;
    int32_t clV11Index_ = 0;
};
