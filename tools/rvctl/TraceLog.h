#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "core/LogSinks.h"

class CameraOutput;
class CameraPort;

// The terminal log on the terminal: every line sent ("Tx: ") and received ("Rx: ") with a time
// stamp. With -v it goes to the error stream, stamped with the hour ("02:14:05.007  Tx: GA?");
// the terminal subcommand makes it its result, stamped as the window's terminal log.
class TraceLog : public TerminalLogSink {
public:
    enum class Destination { None, Messages, Results };

    TraceLog(CameraOutput& output, Destination destination)
        : output_(output), destination_(destination) {}

    void AddLine(const std::string& text) override;
    void SendTo(Destination destination) { destination_ = destination; }

    // Lines received so far.
    uint64_t ReceivedCount() const { return received_; }

    // While it lives, each line sent that goes to the error stream ends with the port's rate
    // ("Tx: MD? [115200 bit/s]").
    class RateShown {
    public:
        RateShown(TraceLog& log, const CameraPort& port) : log_(log) { log_.port_ = &port; }
        ~RateShown() { log_.port_ = nullptr; }
        RateShown(const RateShown&) = delete;
        RateShown& operator=(const RateShown&) = delete;

    private:
        TraceLog& log_;
    };

private:
    CameraOutput& output_;
    Destination destination_;
    std::atomic<uint64_t> received_{0};
    const CameraPort* port_ = nullptr;
};
