#pragma once

#include "core/WaitClock.h"

// The clock of --timeout: every request given the ordinary 5 s to answer is given the time the
// command line names instead. Longer waits (a calibration's start, storing a flash area) keep
// theirs unless the given one is longer still; shorter ones (the quick probes of a rate search,
// a temperature, a LUT entry) and the program's own pauses stay as they are.
class AnswerClock : public WaitClock {
public:
    static constexpr Span kOrdinary{5000};
    static constexpr int kShortestMs = 100;
    static constexpr int kLongestMs = 600000;

    explicit AnswerClock(Span answer) : answer_(answer) {}

    Span Timeout(Span span) const override {
        if (span == kOrdinary) {
            return answer_;
        }
        return span > kOrdinary && answer_ > span ? answer_ : span;
    }

private:
    Span answer_;
};
