#pragma once

#include <chrono>

// The clock of every time-out and pause the flows wait out: how long the camera is given to
// answer, the pause between two status questions of a calibration, how long the progress window
// shows its full bar. The program waits each for as long as it is given; a test may provide a
// clock that waits shorter, so that it does not sit through a silent camera's seconds. The
// durations themselves (and the texts that name them) stay the product's either way.
class WaitClock {
public:
    using Clock = std::chrono::steady_clock;
    using Span = std::chrono::milliseconds;

    virtual ~WaitClock() = default;

    // How long the camera is given to answer, or may stay silent.
    virtual Span Timeout(Span span) const { return span; }
    // How long a pause the program makes on its own lasts.
    virtual Span Pause(Span span) const { return span; }

    // When a time-out of that span, begun now, ends.
    Clock::time_point TimeoutFromNow(Span span) const { return Clock::now() + Timeout(span); }
};
