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

    virtual ~WaitClock() = default;

    // How long a wait given as span lasts.
    virtual std::chrono::milliseconds Span(std::chrono::milliseconds span) const { return span; }
    int SpanMs(int spanMs) const {
        return static_cast<int>(Span(std::chrono::milliseconds(spanMs)).count());
    }
    // When a wait of that span, begun now, ends.
    Clock::time_point Deadline(std::chrono::milliseconds span) const {
        return Clock::now() + Span(span);
    }
};
