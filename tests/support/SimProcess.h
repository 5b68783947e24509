#pragma once

#include <string>
#include <vector>

// The real rvsim executable, started with options and read for the path of its device. Under
// Wine the test asks scripts/wine-run to start the Linux program (WineSimProcess.cpp).
class SimProcess {
public:
    SimProcess() = default;
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // Starts it and waits for the first line of its output; false when none comes in time.
    bool Start(const std::vector<std::string>& args, int timeoutMs = 5000);

    const std::string& DevicePath() const { return devicePath_; }

    // Sends the signal (its number) and returns at once (SIGSTOP makes the camera fall silent,
    // SIGCONT wakes it again).
    void Signal(int signal);
    // Sends the signal and waits up to five seconds; the exit status, or -1 when it had to be
    // killed or did not end normally.
    int Stop(int signal);

private:
    int pid_ = -1;  // under Wine the number scripts/wine-run gave it
    int out_ = -1;
    std::string devicePath_;
};
