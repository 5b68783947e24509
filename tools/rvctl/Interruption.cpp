#include "tools/rvctl/Interruption.h"

#include <csignal>

#include "core/CancelToken.h"

namespace Interruption {

namespace {

CancelToken token;

extern "C" void OnInterrupt(int) {
    token.RequestForGood();
    std::signal(SIGINT, SIG_DFL);
}

}  // namespace

CancelToken& Token() {
    return token;
}

void Catch() {
    std::signal(SIGINT, OnInterrupt);
}

bool Happened() {
    return token.Requested();
}

}  // namespace Interruption
