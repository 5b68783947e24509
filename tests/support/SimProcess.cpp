#include "tests/support/SimProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "tests/support/SpawnProcess.h"

namespace {

pid_t Spawn(const std::vector<std::string>& args, int& out) {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        return -1;
    }
    const pid_t pid = SpawnProcess(RVSIM_EXECUTABLE, args, -1, pipeFds[1], -1);
    close(pipeFds[1]);
    out = pipeFds[0];
    return pid;
}

int WaitFor(pid_t pid, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

SimProcess::~SimProcess() {
    if (pid_ > 0) {
        Stop(SIGKILL);
    }
    if (out_ >= 0) {
        close(out_);
    }
}

bool SimProcess::Start(const std::vector<std::string>& args, int timeoutMs) {
    pid_ = Spawn(args, out_);
    if (pid_ < 0) {
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd ready{out_, POLLIN, 0};
        if (poll(&ready, 1, 50) <= 0) {
            continue;
        }
        char c = 0;
        if (read(out_, &c, 1) != 1) {
            return false;  // it ended without naming a device
        }
        if (c == '\n') {
            return !devicePath_.empty();
        }
        devicePath_ += c;
    }
    return false;
}

void SimProcess::Signal(int signal) {
    if (pid_ > 0) {
        kill(pid_, signal);
    }
}

int SimProcess::Stop(int signal) {
    if (pid_ <= 0) {
        return -1;
    }
    kill(pid_, signal);
    const int status = WaitFor(pid_, 5000);
    pid_ = -1;
    return status;
}
