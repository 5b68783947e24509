#pragma once

#include <atomic>

// The operator's wish to stop the long operation under way: the progress window's "Cancel"
// (or Escape) in rvtool, Ctrl+C in rvctl. Flows look at it between their requests, so a request
// is never cut in half. Safe to request from another thread or a signal handler.
class CancelToken {
public:
    void Request() { requested_.store(true); }
    // A request that no later operation resets: a program that is ending (rvctl on Ctrl+C).
    void RequestForGood() {
        final_.store(true);
        requested_.store(true);
    }
    bool Requested() const { return requested_.load(); }
    // An operation starts with no request pending, unless the program is ending.
    void Reset() {
        if (!final_.load()) {
            requested_.store(false);
        }
    }

private:
    std::atomic<bool> requested_{false};
    std::atomic<bool> final_{false};
};
