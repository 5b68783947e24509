#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>

#include "core/ProcessContext.h"
#include "core/WaitClock.h"

// A clock that waits a twentieth of every time-out and pause, for tests that would otherwise
// sit through a silent camera. No time-out becomes shorter than `shortest` (unless it was shorter
// already), so that a simulated camera, which still answers in real time, is given enough time
// on a loaded machine.
class FastWaitClock : public WaitClock {
public:
    static constexpr int kDivisor = 20;
    static constexpr Span kShortest{250};

    explicit FastWaitClock(Span shortest = kShortest) : shortest_(shortest) {}

    Span Timeout(Span span) const override {
        return std::min(span, std::max(span / kDivisor, shortest_));
    }
    Span Pause(Span span) const override { return span / kDivisor; }

    // Makes it the clock of a context, before the context's first use of a clock.
    static void UseIn(ProcessContext& context) {
        context.Provide<WaitClock>(
            [](ProcessContext&) { return std::make_unique<FastWaitClock>(); });
    }
    // A TestContext's preparation that also makes it the clock of every fresh context.
    static std::function<void(ProcessContext&)> After(
        std::function<void(ProcessContext&)> prepare) {
        return [prepare](ProcessContext& context) {
            prepare(context);
            UseIn(context);
        };
    }

private:
    Span shortest_;
};
