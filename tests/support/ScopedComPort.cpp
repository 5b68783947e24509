#include "tests/support/ScopedComPort.h"

#ifdef _WIN32
#include <cstdio>
#include <vector>

#include "tests/support/WineSims.h"

namespace {

constexpr int kLinkTimeoutMs = 10000;

void Ask(const std::vector<std::string>& request) {
    std::vector<std::string> answer;
    std::string error;
    if (!AskWineSims(request, kLinkTimeoutMs, answer, error)) {
        std::fprintf(stderr, "COM port under Wine: %s\n", error.c_str());
    }
}

}  // namespace

ScopedComPort::ScopedComPort(int number, const std::string& device) : number_(number) {
    Ask({"link", std::to_string(number), device});
}

ScopedComPort::~ScopedComPort() {
    Ask({"unlink", std::to_string(number_)});
}

#else

ScopedComPort::ScopedComPort(int number, const std::string& device)
    : number_(number),
      environment_(
          std::make_unique<ScopedEnvironment>("RVTOOL_COM" + std::to_string(number), device)) {}

ScopedComPort::~ScopedComPort() = default;

#endif
