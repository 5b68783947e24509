#include "tools/rvctl/Interruption.h"

#include <csignal>

#include "core/CancelToken.h"

namespace Interruption {

namespace {

// Windows has no hang-up signal.
constexpr int kSignals[] = {SIGINT, SIGTERM,
#ifdef SIGHUP
                            SIGHUP
#endif
};

CancelToken token;
volatile std::sig_atomic_t first = 0;

extern "C" void OnInterrupt(int signal) {
    if (first == 0) {
        first = signal;
    }
    token.RequestForGood();
    for (const int caught : kSignals) {
        std::signal(caught, SIG_DFL);
    }
}

}  // namespace

CancelToken& Token() {
    return token;
}

void Catch() {
    for (const int caught : kSignals) {
        std::signal(caught, OnInterrupt);
    }
}

bool Happened() {
    return token.Requested();
}

int ExitStatus() {
    return 128 + (first != 0 ? static_cast<int>(first) : SIGINT);
}

}  // namespace Interruption
