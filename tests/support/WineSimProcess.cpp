#include <cstdio>

#include "tests/support/SimProcess.h"
#include "tests/support/WineSims.h"

namespace {

constexpr int kStopTimeoutMs = 10000;

// A request that fails says why on stderr: the test's own check then fails on its result.
bool Ask(const std::vector<std::string>& request, int timeoutMs, std::vector<std::string>& answer) {
    std::string error;
    if (!AskWineSims(request, timeoutMs, answer, error)) {
        std::fprintf(stderr, "rvsim under Wine: %s\n", error.c_str());
        return false;
    }
    return true;
}

}  // namespace

SimProcess::~SimProcess() {
    if (pid_ > 0) {
        Stop(9);
    }
}

bool SimProcess::Start(const std::vector<std::string>& args, int timeoutMs) {
    std::vector<std::string> request{"start"};
    request.insert(request.end(), args.begin(), args.end());
    std::vector<std::string> answer;
    // wine-run waits up to the time-out for the device; its answer may take a little longer.
    if (!Ask(request, timeoutMs + 5000, answer) || answer.size() != 2) {
        return false;
    }
    pid_ = std::stoi(answer[0]);
    devicePath_ = answer[1];
    return true;
}

void SimProcess::Signal(int signal) {
    std::vector<std::string> answer;
    if (pid_ > 0) {
        Ask({"signal", std::to_string(pid_), std::to_string(signal)}, kStopTimeoutMs, answer);
    }
}

int SimProcess::Stop(int signal) {
    if (pid_ <= 0) {
        return -1;
    }
    std::vector<std::string> answer;
    const bool stopped =
        Ask({"stop", std::to_string(pid_), std::to_string(signal)}, kStopTimeoutMs, answer);
    pid_ = -1;
    return stopped && answer.size() == 1 ? std::stoi(answer[0]) : -1;
}
