#include "tools/rvctl/TraceLog.h"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "core/LocalTime.h"
#include "operations/TerminalLog.h"
#include "tools/rvctl/CameraOutput.h"
#include "transport/CameraPort.h"

namespace {
const char kReceivedPrefix[] = "Rx: ";
const char kSentPrefix[] = "Tx: ";
constexpr std::size_t kPrefixLength = 4;

// The trace of a run that a log keeps for days needs the hour, in the machine's local time:
// "02:14:05.007  ".
std::string TraceStamp(std::chrono::system_clock::time_point now) {
    const long long ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    const std::tm local = LocalTime(now);
    char stamp[24];
    std::snprintf(stamp, sizeof stamp, "%02d:%02d:%02d.%03d  ", local.tm_hour, local.tm_min,
                  local.tm_sec, static_cast<int>((ms + 1000) % 1000));
    return stamp;
}

}  // namespace

void TraceLog::AddLine(const std::string& text) {
    const bool received = text.rfind(kReceivedPrefix, 0) == 0;
    const bool sent = text.rfind(kSentPrefix, 0) == 0;
    if (received) {
        ++received_;
    }
    if (destination_ == Destination::None) {
        return;
    }
    const std::chrono::system_clock::time_point now = std::chrono::system_clock::now();
    if (destination_ == Destination::Messages) {
        const bool rate = sent && port_ != nullptr;
        output_.Message(TraceStamp(now) + text +
                        (rate ? " [" + std::to_string(port_->GetBaudRate()) + " bit/s]" : ""));
        return;
    }
    // The terminal's lines are stamped as the window's terminal log stamps them; the stamp's
    // blanks belong to the log's line, not to the time.
    const std::string stamp = TerminalLog::TimeStamp(now);
    const std::string time = stamp.substr(0, stamp.find(' '));
    Record record(stamp + text);
    record.Text("time", time);
    if (received || sent) {
        record.Text("direction", received ? "rx" : "tx").Text("text", text.substr(kPrefixLength));
    } else {
        record.Text("text", text);
    }
    output_.Add(record);
}
