#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/PseudoTerminal.h"

// A camera played by the test on the master side of a pseudo terminal: every line the program
// sends is recorded and handed to the script, whose answer (if any) is written back at once.
class ScriptedCamera {
public:
    using Script = std::function<std::string(const std::string& line)>;

    ScriptedCamera();
    ~ScriptedCamera();
    ScriptedCamera(const ScriptedCamera&) = delete;
    ScriptedCamera& operator=(const ScriptedCamera&) = delete;

    // The device the program opens; BindTo(n) makes it COM<n>.
    const std::string& DevicePath() const { return terminal_.DevicePath(); }
    void BindTo(int number) { terminal_.BindTo(number); }
    void SetScript(Script script);
    // Writes bytes to the program now, unasked.
    void Send(const std::string& bytes);
    // Paces what the camera sends as a serial line of that speed would (10 bits a byte);
    // 0 sends at once.
    void SetBaudRate(int baud) { baud_ = baud; }
    std::vector<std::string> ReceivedLines();

private:
    void Serve();

    PseudoTerminal terminal_;
    std::mutex mutex_;
    Script script_;
    std::vector<std::string> lines_;
    std::atomic<int> baud_{0};
    std::atomic<bool> running_{true};
    std::thread thread_;
};
