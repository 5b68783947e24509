#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/SerialOpenStep.h"

// Line settings of a serial port: 8N1 without flow control is what the camera link uses.
struct SerialSettings {
    int32_t baudRate = 9600;
    int32_t byteSize = 8;
    uint8_t stopBits = 0;  // 0 one, 1 one and a half, 2 two
    bool xonXoff = false;
    bool parityCheck = false;
    // How long opening may take: a line behind a device server on the network is reached and
    // set within it; a local port opens at once and ignores it.
    std::chrono::milliseconds openTimeout{3000};
};

// What ended a wait for received bytes.
enum class SerialWait {
    Input,     // bytes are waiting in the device
    Again,     // nothing happened; wait again
    Released,  // ReleaseWait was called
    Failed,    // the device failed or went away; no more bytes will come
};

// One serial port of the operating system, as the COM port driver needs it. One backend file
// per system implements it (termios on POSIX, the comm functions on Windows).
class SerialDevice {
public:
    virtual ~SerialDevice() = default;
    static std::unique_ptr<SerialDevice> Create();

    // Opens the port with the settings; on failure holds nothing afterwards. The port is named
    // "COM<n>" or, on POSIX, by the path of its device or of a link to it (/dev/serial/by-id),
    // which is followed afresh at every open.
    virtual SerialOpenStep Open(const std::string& portName, const SerialSettings& settings) = 0;
    // Further lines for the operator on why the last Open failed: the device with the system's
    // reason, then how to mend it where that is known (a device the user may not open, say).
    virtual std::string OpenFailureReason() const = 0;
    // Whether the last Open failed because another program holds the port: no other setting
    // of the line would open it then.
    virtual bool OpenFoundPortInUse() const = 0;
    // The device a port name opens, for the operator to see: where a COM name leads, or the
    // device a link leads to now; empty where the name is the device.
    static std::string DeviceName(const std::string& portName);
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // Blocks until received bytes are waiting, the device fails, or ReleaseWait is called.
    virtual SerialWait WaitForInput() = 0;
    // Makes the current and every later WaitForInput return Released until the next Open.
    // Called from another thread than the waiting one.
    virtual void ReleaseWait() = 0;
    // Takes what the device holds, at most capacity bytes, without blocking. -1 when the
    // device failed.
    virtual int32_t ReadAvailable(char* buffer, int32_t capacity) = 0;
    // Sends one byte and returns once it has left (or the write time-out passed: false).
    virtual bool WriteByte(char byte) = 0;
    // Sends a whole text, byte by byte unless the device can do better (a network connection
    // sends it in one piece); false when a byte did not leave, and the rest is not sent.
    virtual bool Write(const char* bytes, int32_t count) {
        for (int32_t i = 0; i < count; ++i) {
            if (!WriteByte(bytes[i])) {
                return false;
            }
        }
        return true;
    }
};
