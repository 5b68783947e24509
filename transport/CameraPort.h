#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/SerialInventory.h"

class ClSerialAdapter;
class LinkBackend;
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
// baud rate and the port last chosen for every category; opening a port makes the backend of its
// kind (a serial device or a Camera Link library), which every other call then goes to.
//
// The COM category's ports are names: "COM1" ... "COM16", any device path or symlink to one, and
// the network names of serial device servers ("rfc2217://host:port"). Its list holds the sixteen
// COM names, then every other name chosen in this run; an index is a position in that list.
class CameraPort {
public:
    explicit CameraPort(ProcessContext& context);
    ~CameraPort();  // writes the link values to the settings store, in order
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
    // The serial devices present when the COM list was last made (GetPortCount), so that the
    // list and what it shows of each device come from one look at the system.
    const SerialInventory& ComInventory() const { return comInventory_; }
    // The position of a COM-category port name in the list, added to the list when it is not
    // there yet ("com3" is COM3). -1 for an empty name.
    int32_t PortIndexOf(const std::string& portName);
    // The port of the current category as the operator named it ("COM3", "/dev/ttyUSB0").
    std::string CurrentPortName();
    int32_t GetCategory() const { return category_; }
    void SetCategory(int32_t category) { category_ = category; }
    int32_t GetPortIndex();
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

    int32_t StoredIndex(int32_t category);
    // Makes the COM category's list afresh and returns its length.
    int32_t ListComPorts();
    // The position of a name in the COM list, appended when it is not there; -1 for no name.
    int32_t ComIndexOf(const std::string& name);
    // The Camera Link adapter of a category; none for another one, or when it was never used
    // and need not be made.
    ClSerialAdapter* Adapter(int32_t category, bool make = true);
    // One attempt to get a byte for Read; waits, without polling, for the next attempt.
    int32_t ReadOnce(char* byte, Clock::time_point deadline);
    void LogTransmitted(const std::string& text);
    bool DeviceFailed();

    ProcessContext& context_;
    std::unique_ptr<LinkBackend> link_;  // the backend of the port last opened
    bool linkLost_ = false;              // told as lost, looked for since
    Clock::time_point nextAttempt_{};
    std::string lostLink_;
    int32_t category_ = kComCategory;
    int32_t baudRate_ = 9600;
    std::string comPortName_;
    // What "Com Port No" held at start, written back unchanged when the port chosen since is
    // not COM1 ... COM16, so that an older version still finds its last COM port.
    int32_t comPortNumber_ = 0;
    std::vector<std::string> comPorts_;  // the COM category's list
    SerialInventory comInventory_;       // what that list was made from
    int32_t cl2000Index_ = 0;
    int32_t cl2001Index_ = 0;
    int32_t clV11Index_ = 0;
};
