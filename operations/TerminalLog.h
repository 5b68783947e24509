#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

#include "core/LogSinks.h"
#include "operations/LineLog.h"

// The terminal's trace: every line with a time stamp of UTC hour, minute, second and millisecond
// ("12:34:05:007  "), newest first, at most 32786 lines.
class TerminalLog : public TerminalLogSink {
public:
    static constexpr std::size_t kCapacity = 32786;
    static constexpr std::size_t kStampLength = kLogStampLength;

    TerminalLog() : lines_(kCapacity) {}
    // Hides the sink's discarding default, which the process context would otherwise use to
    // make this class.
    static std::unique_ptr<TerminalLog> CreateDefault(ProcessContext&) {
        return std::make_unique<TerminalLog>();
    }

    void AddLine(const std::string& text) override;
    // The terminal's own messages: printf-style into at most 255 characters.
    [[gnu::format(printf, 2, 3)]] void AddFormatted(const char* format, ...);
    void Clear() { lines_.Clear(); }
    const LineLog& Lines() const { return lines_; }

    static std::string TimeStamp(std::chrono::system_clock::time_point time);

private:
    LineLog lines_;
};
