#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

#include "core/LogSinks.h"
#include "operations/LineLog.h"

// The trace of the communication dialog: every command line sent and every line received,
// stamped with the UTC time it was logged ("12:34:05.007  GA=400"), at most 4096 lines. The
// log keeps them newest first; the dialog shows them, and the file holds them, oldest first.
class MessageLog : public MessageLogSink {
public:
    static constexpr std::size_t kCapacity = 4096;
    static constexpr std::size_t kStampLength = kLogStampLength;

    MessageLog() : lines_(kCapacity) {}
    // Hides the sink's discarding default, which the process context would otherwise use to
    // make this class.
    static std::unique_ptr<MessageLog> CreateDefault(ProcessContext&) {
        return std::make_unique<MessageLog>();
    }

    void Add(const std::string& text) override;
    void Clear() { lines_.Clear(); }
    const LineLog& Lines() const { return lines_; }

    static std::string TimeStamp(std::chrono::system_clock::time_point time);

private:
    LineLog lines_;
};
