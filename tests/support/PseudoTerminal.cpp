#include "tests/support/PseudoTerminal.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <thread>

#include <gtest/gtest.h>

PseudoTerminal::PseudoTerminal() {
    char name[256] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        ADD_FAILURE() << "openpty failed: errno " << errno;
        return;
    }
    devicePath_ = name;
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    fcntl(slave_, F_SETFD, FD_CLOEXEC);
}

PseudoTerminal::~PseudoTerminal() {
    Hangup();
    if (slave_ >= 0) {
        close(slave_);
    }
}

void PseudoTerminal::BindTo(int number) {
    binding_ =
        std::make_unique<ScopedEnvironment>("RVTOOL_COM" + std::to_string(number), devicePath_);
}

bool PseudoTerminal::Send(const std::string& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t written = write(master_, bytes.data() + sent, bytes.size() - sent);
        if (written > 0) {
            sent += static_cast<std::size_t>(written);
        } else if (written < 0 && errno == EAGAIN) {
            pollfd room = {master_, POLLOUT, 0};
            if (poll(&room, 1, 5000) <= 0) {
                return false;
            }
        } else if (!(written < 0 && errno == EINTR)) {
            return false;
        }
    }
    return true;
}

std::string PseudoTerminal::Receive(std::size_t count, std::chrono::milliseconds timeout) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + timeout;
    std::string received;
    while (received.size() < count) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd input = {master_, POLLIN, 0};
        if (left <= 0 || poll(&input, 1, static_cast<int>(left)) <= 0) {
            break;
        }
        char chunk[512];
        const std::size_t wanted = std::min(sizeof chunk, count - received.size());
        const ssize_t got = read(master_, chunk, wanted);
        if (got > 0) {
            received.append(chunk, static_cast<std::size_t>(got));
        } else if (got == 0 || (errno != EAGAIN && errno != EINTR)) {
            break;
        }
    }
    return received;
}

std::string PseudoTerminal::ReceiveAvailable(std::chrono::milliseconds timeout) {
    pollfd input = {master_, POLLIN, 0};
    if (poll(&input, 1, static_cast<int>(timeout.count())) <= 0) {
        return std::string();
    }
    std::string received;
    char chunk[512];
    ssize_t got;
    while ((got = read(master_, chunk, sizeof chunk)) > 0) {
        received.append(chunk, static_cast<std::size_t>(got));
    }
    return received;
}

termios PseudoTerminal::LineState() const {
    // On the master side the terminal reports the settings of its terminal side.
    termios line{};
    EXPECT_EQ(tcgetattr(master_, &line), 0);
    return line;
}

void PseudoTerminal::Hangup() {
    if (master_ >= 0) {
        close(master_);
        master_ = -1;
    }
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return condition();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

std::chrono::microseconds ThreadCpuTime() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::duration_cast<std::chrono::microseconds>(
                                                  std::chrono::nanoseconds(now.tv_nsec));
}
