#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/rvsim/LineAssembler.h"
#include "tools/rvsim/ReplyShaper.h"
#include "tools/rvsim/SimCamera.h"
#include "tools/rvsim/Transcript.h"

// Bytes to send, and the rate they go out at (the rate the request came in at).
struct Outgoing {
    std::string bytes;
    int baud = 0;
};

// The camera behind its serial receiver: received bytes in, answer bytes out. It discards what
// the camera cannot understand (a host at another rate, anything during a reset), assembles
// lines, lets the camera answer, applies the faults, keeps the transcript and saves the flash
// memory whenever it changed. No port is involved, so tests feed it directly.
class CameraSession {
public:
    using TimePoint = SimCamera::TimePoint;

    // statePath empty: nothing is saved.
    CameraSession(SimCamera& camera, const FaultConfig& faults, Transcript& transcript,
                  std::string statePath);

    // Bytes that arrived at hostBaud (the rate the host's side of the line is set to).
    std::vector<Outgoing> Receive(std::string_view bytes, int hostBaud, TimePoint now);

    // Lets time pass: ends a reset when its silence is over.
    void Tick(TimePoint now);

    // Writes the flash memory to the state file; false (with a message) when it cannot.
    bool SaveState();

private:
    void Discard(std::string_view why, std::size_t count, TimePoint now);

    SimCamera& camera_;
    ReplyShaper shaper_;
    Transcript& transcript_;
    std::string statePath_;
    LineAssembler assembler_;
    std::string lastSaveError_;
    bool overlongReported_ = false;
};
