#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

// Faults that tests ask for, applied to what the camera sends.
struct FaultConfig {
    bool silent = false;     // never answer
    int dropEvery = 0;       // no answer to every N-th answered line (0: off)
    int garbageEvery = 0;    // random bytes instead of every N-th answer (0: off)
    int64_t noLfAfter = -1;  // once this many bytes went out, never send an LF (-1: off)
};

struct ShapedAnswer {
    std::string bytes;  // what goes on the wire; empty when nothing is sent
    std::string note;   // what a fault did, for the transcript; empty when none acted
};

// Turns the camera's answer line into the bytes sent, with CR LF, after the faults.
class ReplyShaper {
public:
    // Bytes of filler that follow an answer once LFs are no longer sent, so that the host
    // sees a line that never ends.
    static constexpr std::size_t kRunawayFiller = 1024;
    static constexpr char kFillerByte = '#';

    explicit ReplyShaper(const FaultConfig& faults);

    ShapedAnswer Shape(std::string_view answer);

    uint64_t BytesSent() const { return bytesSent_; }

private:
    std::string RandomLine();

    FaultConfig faults_;
    uint64_t answered_ = 0;
    uint64_t bytesSent_ = 0;
    std::mt19937 random_;
};
