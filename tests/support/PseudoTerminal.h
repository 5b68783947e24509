#pragma once

#include <termios.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "tests/support/ScopedEnvironment.h"

// A pseudo terminal standing in for a serial port with a camera on it: the program opens the
// terminal side as "COM<n>", the test plays the camera on the master side.
class PseudoTerminal {
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const std::string& DevicePath() const { return devicePath_; }
    // Makes COM<number> open this terminal (RVTOOL_COM<number>) for the life of this object.
    void BindTo(int number);

    // Sends bytes to the program as the camera would.
    bool Send(const std::string& bytes);
    // What the program sent: up to count bytes, waiting at most the time-out for them.
    std::string Receive(std::size_t count, std::chrono::milliseconds timeout);
    // What the program has sent so far, waiting at most the time-out for the first byte.
    std::string ReceiveAvailable(std::chrono::milliseconds timeout);
    // The line settings the program gave the terminal side.
    termios LineState() const;
    // The camera goes away: its side of the terminal closes.
    void Hangup();

private:
    int master_ = -1;
    int slave_ = -1;
    std::string devicePath_;
    std::unique_ptr<ScopedEnvironment> binding_;
};

// Waits until the condition holds or the time-out passes; returns the condition's last value.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

// Processor time the calling thread has used.
std::chrono::microseconds ThreadCpuTime();
