#pragma once

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <string_view>

#include "tools/rvsim/CameraSession.h"
#include "tools/rvsim/SimCamera.h"
#include "tools/rvsim/SimOptions.h"
#include "tools/rvsim/SimPort.h"
#include "tools/rvsim/Transcript.h"

// rvsim's serving loop: the camera session on its port. It reads what the host sends, checks
// the host's line settings, hands the bytes to the session and sends the answers, delayed and
// paced as asked, until it is told to stop.
class SimServer {
public:
    using Clock = std::chrono::steady_clock;

    explicit SimServer(const SimOptions& options);
    ~SimServer();
    SimServer(const SimServer&) = delete;
    SimServer& operator=(const SimServer&) = delete;

    // Loads the state, powers the camera up and opens the port; false with a message.
    bool Open(std::string& error);

    const std::string& DevicePath() const { return port_.DevicePath(); }

    // Serves until RequestStop; saves the state and closes the port. Returns the exit status:
    // 0 after a stop, 1 when the device went away.
    int Run();

    // Safe to call from a signal handler or another thread.
    void RequestStop();

private:
    bool Pause(Clock::duration duration);  // false when a stop came meanwhile
    // The cable is pulled and, when asked, plugged in again on a new pseudo terminal; false
    // when serving is over (a stop came, or the new terminal did not open: status says which).
    bool Unplug(int& status);
    void Serve(std::string_view bytes);
    void Send(const Outgoing& outgoing);
    bool WritePaced(std::string_view bytes, int baud);
    void FollowCameraRate();
    int PollTimeoutMs() const;

    SimOptions options_;
    Transcript transcript_;
    SimPort port_;
    std::unique_ptr<SimCamera> camera_;
    std::unique_ptr<CameraSession> session_;
    std::atomic<bool> stop_{false};
    int wake_[2] = {-1, -1};
    int appliedBaud_ = 0;
    bool echoReported_ = false;
    bool writeFailureReported_ = false;
};
