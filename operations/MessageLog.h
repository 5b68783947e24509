#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "core/LogSinks.h"
#include "operations/LineLog.h"

// The trace of the communication dialog: every command line sent and every line received,
// bare, newest first, at most 4096 lines.
class MessageLog : public MessageLogSink {
public:
    static constexpr std::size_t kCapacity = 4096;

    MessageLog() : lines_(kCapacity) {}
    // Hides the sink's discarding default, which the process context would otherwise use to
    // make this class.
    static std::unique_ptr<MessageLog> CreateDefault(ProcessContext&) {
        return std::make_unique<MessageLog>();
    }

    void Add(const std::string& text) override { lines_.Add(text); }
    void Clear() { lines_.Clear(); }
    const LineLog& Lines() const { return lines_; }

private:
    LineLog lines_;
};
