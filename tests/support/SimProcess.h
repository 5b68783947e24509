#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// The real rvsim executable, started with options and read for the path of its device.
class SimProcess {
public:
    SimProcess() = default;
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // Starts it and waits for the first line of its output; false when none comes in time.
    bool Start(const std::vector<std::string>& args, int timeoutMs = 5000);

    const std::string& DevicePath() const { return devicePath_; }

    // Sends the signal and returns at once (SIGSTOP makes the camera fall silent, SIGCONT wakes
    // it again).
    void Signal(int signal);
    // Sends the signal and waits up to five seconds; the exit status, or -1 when it had to be
    // killed or did not end normally.
    int Stop(int signal);

private:
    pid_t pid_ = -1;
    int out_ = -1;
    std::string devicePath_;
};
