#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "core/LogSinks.h"

class CameraOutput;

// The terminal log on the terminal: every line sent ("Tx: ") and received ("Rx: ") with the
// terminal log's time stamp. With -v it goes to the error stream; the terminal subcommand makes
// it its result.
class TraceLog : public TerminalLogSink {
public:
    enum class Destination { None, Messages, Results };

    TraceLog(CameraOutput& output, Destination destination)
        : output_(output), destination_(destination) {}

    void AddLine(const std::string& text) override;
    void SendTo(Destination destination) { destination_ = destination; }

    // Lines received so far.
    uint64_t ReceivedCount() const { return received_; }

private:
    CameraOutput& output_;
    Destination destination_;
    std::atomic<uint64_t> received_{0};
};
