#include "tools/rvsim/SimServer.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <thread>

#include "protocol/CommandTable.h"
#include "tools/rvsim/BaudRate.h"
#include "tools/rvsim/StateFile.h"

namespace {

constexpr int kIdlePollMs = 100;
constexpr int kWriteTimeoutMs = 2000;  // a host that takes nothing for this long has gone

SimServer::Clock::duration Seconds(double seconds) {
    return std::chrono::duration_cast<SimServer::Clock::duration>(
        std::chrono::duration<double>(seconds));
}

}  // namespace

SimServer::SimServer(const SimOptions& options) : options_(options) {}

SimServer::~SimServer() {
    port_.Close();
    for (int& fd : wake_) {
        if (fd >= 0) {
            close(fd);
            fd = -1;
        }
    }
}

bool SimServer::Open(std::string& error) {
    if (!options_.transcriptPath.empty() && !transcript_.Open(options_.transcriptPath, error)) {
        return false;
    }
    CameraMemory memory = CameraMemory::FactoryNew(options_.model, BaudRate::ToCode(options_.baud));
    if (!options_.statePath.empty() &&
        StateFile::Load(options_.statePath, memory, error) == StateLoad::kFailed) {
        return false;
    }
    if (options_.modelGiven) {
        memory.model = options_.model;
    }
    CameraConfig config;
    config.calibSeconds = options_.calibSeconds;
    config.calibResult = options_.calibResult;
    config.resetSeconds = options_.resetSeconds;
    for (const std::string& mnemonic : options_.refused) {
        config.refusedIds.push_back(CommandTable::IdOf(mnemonic));
    }
    for (const std::string& mnemonic : options_.muted) {
        config.mutedIds.push_back(CommandTable::IdOf(mnemonic));
    }
    FaultConfig faults;
    faults.silent = options_.silent;
    faults.dropEvery = options_.dropEvery;
    faults.garbageEvery = options_.garbageEvery;
    faults.noLfAfter = options_.noLfAfter;

    const Clock::time_point now = Clock::now();
    camera_ =
        std::make_unique<SimCamera>(config, memory, options_.baudGiven ? options_.baud : 0, now);
    session_ = std::make_unique<CameraSession>(*camera_, faults, transcript_, options_.statePath);
    // A new state file exists from the start, and an unwritable one is reported at once.
    session_->SaveState();

    appliedBaud_ = camera_->BaudRate();
    const bool opened = options_.device.empty()
                            ? port_.OpenPty(appliedBaud_, options_.link, error)
                            : port_.OpenDevice(options_.device, appliedBaud_, error);
    if (!opened) {
        return false;
    }
    if (pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) {
        error = std::string("cannot create a pipe: ") + std::strerror(errno);
        return false;
    }
    transcript_.Note(now, "camera " + camera_->Memory().model + " on " + port_.DevicePath() +
                              " at " + std::to_string(appliedBaud_) + " bit/s");
    return true;
}

void SimServer::RequestStop() {
    stop_.store(true);
    if (wake_[1] >= 0) {
        [[maybe_unused]] const ssize_t n = write(wake_[1], "x", 1);
    }
}

bool SimServer::Pause(Clock::duration duration) {
    const Clock::time_point end = Clock::now() + duration;
    while (!stop_.load()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        if (left.count() <= 0) {
            return true;
        }
        pollfd wake{wake_[0], POLLIN, 0};
        poll(&wake, 1, static_cast<int>(left.count()));
    }
    return false;
}

int SimServer::PollTimeoutMs() const {
    if (!camera_->IsResetting()) {
        return kIdlePollMs;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(camera_->ResetEnd() - Clock::now());
    return static_cast<int>(std::clamp<int64_t>(left.count() + 1, 0, kIdlePollMs));
}

bool SimServer::Unplug(int& status) {
    transcript_.Note(Clock::now(), "unplugged");
    port_.Close();
    if (options_.replugSeconds < 0) {
        while (Pause(std::chrono::hours(1))) {
        }
        return false;
    }
    if (!Pause(Seconds(options_.replugSeconds))) {
        return false;
    }
    std::string error;
    if (!port_.OpenPty(appliedBaud_, options_.link, error)) {
        std::fprintf(stderr, "rvsim: plugging in again: %s\n", error.c_str());
        status = 1;
        return false;
    }
    transcript_.Note(Clock::now(), "plugged in again on " + port_.DevicePath());
    return true;
}

int SimServer::Run() {
    int status = 0;
    char buffer[1024];
    const Clock::time_point started = Clock::now();
    bool unplugPending = options_.unplugSeconds >= 0;
    while (!stop_.load()) {
        if (unplugPending && Clock::now() >= started + Seconds(options_.unplugSeconds)) {
            unplugPending = false;
            if (!Unplug(status)) {
                break;
            }
        }
        session_->Tick(Clock::now());
        FollowCameraRate();
        pollfd fds[3] = {
            {port_.Fd(), POLLIN, 0}, {wake_[0], POLLIN, 0}, {port_.HostCloseFd(), POLLIN, 0}};
        if (poll(fds, 3, PollTimeoutMs()) < 0 && errno != EINTR) {
            std::fprintf(stderr, "rvsim: poll failed: %s\n", std::strerror(errno));
            status = 1;
            break;
        }
        if (fds[1].revents & POLLIN) {
            while (read(wake_[0], buffer, sizeof buffer) > 0) {
            }
        }
        if (fds[2].revents & POLLIN) {
            port_.ReleaseAfterHostClose();
        }
        if (!(fds[0].revents & (POLLIN | POLLHUP | POLLERR))) {
            continue;
        }
        const ssize_t n = read(port_.Fd(), buffer, sizeof buffer);
        if (n > 0) {
            Serve(std::string_view(buffer, static_cast<std::size_t>(n)));
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            continue;
        }
        if (port_.IsPty()) {
            Pause(std::chrono::milliseconds(50));  // no host end open; wait for one
            continue;
        }
        std::fprintf(stderr, "rvsim: %s went away: %s\n", port_.DevicePath().c_str(),
                     n == 0 ? "end of file" : std::strerror(errno));
        status = 1;
        break;
    }
    session_->SaveState();
    transcript_.Note(Clock::now(), "stopped");
    port_.Close();
    return status;
}

void SimServer::Serve(std::string_view bytes) {
    const Clock::time_point now = Clock::now();
    const HostLine host = port_.ReadHostLine();
    if (host.echo) {
        // The host's end would send every answer straight back as a new request.
        transcript_.Note(
            now, std::to_string(bytes.size()) + " bytes not understood: the host's line echoes");
        if (!echoReported_) {
            std::fprintf(stderr,
                         "rvsim: the host's end of %s has echo on; set it raw. "
                         "Ignoring what it sends until then\n",
                         port_.DevicePath().c_str());
            echoReported_ = true;
        }
        return;
    }
    for (const Outgoing& outgoing : session_->Receive(bytes, host.baud, now)) {
        Send(outgoing);
    }
    FollowCameraRate();
}

void SimServer::Send(const Outgoing& outgoing) {
    if (options_.delayMs > 0 && !Pause(std::chrono::milliseconds(options_.delayMs))) {
        return;
    }
    transcript_.Sent(Clock::now(), outgoing.bytes);
    if (!WritePaced(outgoing.bytes, outgoing.baud)) {
        transcript_.Note(Clock::now(), "the host does not take the answer; the rest is lost");
        if (!writeFailureReported_) {
            std::fprintf(stderr, "rvsim: the host does not read %s; answers are being lost\n",
                         port_.DevicePath().c_str());
            writeFailureReported_ = true;
        }
    }
}

bool SimServer::WritePaced(std::string_view bytes, int baud) {
    if (!options_.pacing) {
        return port_.WriteAll(bytes, kWriteTimeoutMs);
    }
    // Ten bits a byte: start bit, eight data bits, stop bit.
    const double byteSeconds = 10.0 / baud;
    const Clock::time_point start = Clock::now();
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        if (stop_.load()) {
            return true;
        }
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        const auto due =
            std::min(bytes.size(), static_cast<std::size_t>(std::floor(elapsed / byteSeconds)) + 1);
        if (due > sent) {
            if (!port_.WriteAll(bytes.substr(sent, due - sent), kWriteTimeoutMs)) {
                return false;
            }
            sent = due;
        }
        if (sent < bytes.size()) {
            std::this_thread::sleep_until(start + Seconds(static_cast<double>(sent) * byteSeconds));
        }
    }
    // The line is busy until the last stop bit is out.
    std::this_thread::sleep_until(start + Seconds(static_cast<double>(sent) * byteSeconds));
    return true;
}

void SimServer::FollowCameraRate() {
    const int baud = camera_->BaudRate();
    if (baud == appliedBaud_) {
        return;
    }
    if (!port_.ApplyCameraRate(baud)) {
        std::fprintf(stderr, "rvsim: cannot set %s to %d bit/s: %s\n", port_.DevicePath().c_str(),
                     baud, std::strerror(errno));
    }
    transcript_.Note(Clock::now(), "camera now at " + std::to_string(baud) + " bit/s");
    appliedBaud_ = baud;
}
