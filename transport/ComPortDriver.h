#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class NamedLock;
class ProcessContext;
class SerialDevice;

// The byte channel to a camera on a local RS-232C port, or on a serial line behind a device
// server on the network (socket://HOST:PORT, rfc2217://HOST:PORT; the port name picks the
// device at each Open). A receive thread copies every received byte into a 1024-byte ring;
// Read hands bytes out of the ring without blocking, and Write sends bytes one at a time on a
// local port, a whole text at once over the network. Every write and every drain of the port
// holds the port's lock (see NamedLock), taken once per write of a whole text and once per
// drain pass. One instance per process, held in the ProcessContext.
class ComPortDriver {
public:
    static constexpr int32_t kRingSize = 1024;
    static constexpr int32_t kPortCount = 16;

    explicit ComPortDriver(ProcessContext& context);
    ~ComPortDriver();
    ComPortDriver(const ComPortDriver&) = delete;
    ComPortDriver& operator=(const ComPortDriver&) = delete;

    // Closes any open port first. A failure is shown to the operator, naming the failed step,
    // the device and the system's reason, and leaves no port open.
    bool Open(const std::string& portName, int32_t baudRate, int32_t byteSize, uint8_t stopBits,
              int32_t xonXoff, int32_t parityCheck);
    void Close();
    bool IsOpen() const;
    // Whether the last Open was refused because another program holds the port.
    bool OpenFoundPortInUse() const;

    // True from the moment the open device hung up or failed until an Open succeeds: the
    // receive thread has ended, nothing more comes, and every wait for bytes ends at once.
    bool DeviceLost() const { return lost_.load(); }
    // The device of a lost port is closed, so that its path can be opened again.
    void ReleaseLostDevice();
    // Opens the port of the last Open again with its settings, telling nobody when it fails.
    bool Reconnect();
    // The port name of the last Open with its device, as the operator knows it.
    std::string PortDescription() const;

    // False when no port is open or count <= 0; true otherwise, whether or not the bytes left.
    bool Write(const char* bytes, int32_t count);
    // Never blocks: copies up to maxCount unread bytes; 0 when no port is open.
    int32_t Read(char* buffer, int32_t maxCount);
    int32_t GetAvailable() const;
    // Discards every unread byte.
    void ResetBuffer();

    // Sleeps until unread bytes are there or the deadline passes; true when bytes are there.
    // Lets a reader with a time-out wait without polling. A line comes a byte or a few at a
    // time: once bytes are there, the wait goes on until a line end is among them, the ring is
    // half full, or kPartialLineWait has passed, so that a reader of lines wakes about twice a
    // line rather than once for every byte (sixteen ports at once would keep the machine busy
    // with little else), and a reader of single bytes still gets them within that time.
    bool WaitForData(std::chrono::steady_clock::time_point deadline);
    static constexpr std::chrono::milliseconds kPartialLineWait{5};

    // Received bytes dropped because the ring held 1023 unread ones, since the last call.
    int32_t TakeDroppedByteCount();

    int32_t GetPortCount() const { return kPortCount; }
    std::string GetPortName(int32_t index) const;

private:
    bool OpenPort(bool tell);
    void CloseDevice();
    void ReceiveLoop();
    void MarkLost();
    bool Drain();
    void Store(char byte);
    bool HasUnread() const;
    // What a waiting reader is woken for: a line end among the unread bytes, or a ring half full.
    bool LineReady() const;

    ProcessContext& context_;
    std::unique_ptr<SerialDevice> port_;
    std::unique_ptr<NamedLock> lock_;  // the open port's, made by the first Open of that port
    std::string lockedPort_;
    std::array<char, kRingSize> ring_{};
    std::atomic<int32_t> head_{0};  // advanced by the receive thread only
    std::atomic<int32_t> tail_{0};  // advanced by the reading thread only
    std::atomic<int32_t> droppedBytes_{0};
    std::thread receiveThread_;
    std::atomic<bool> running_{true};
    std::atomic<bool> lost_{false};

    // What the last Open was asked, for a reconnection.
    std::string portName_;
    int32_t baudRate_ = 0;
    int32_t byteSize_ = 8;
    uint8_t stopBits_ = 0;
    int32_t xonXoff_ = 0;
    int32_t parityCheck_ = 0;

    // Signals the reader that the receive thread stored bytes it waits for.
    std::mutex receivedMutex_;
    std::condition_variable received_;
    bool waitingForBytes_ = false;  // the reader sleeps with nothing unread (under the mutex)
};
