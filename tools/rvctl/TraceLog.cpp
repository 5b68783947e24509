#include "tools/rvctl/TraceLog.h"

#include <chrono>

#include "operations/MessageLog.h"
#include "operations/TerminalLog.h"
#include "tools/rvctl/CameraOutput.h"
#include "transport/CameraPort.h"

namespace {
const char kReceivedPrefix[] = "Rx: ";
const char kSentPrefix[] = "Tx: ";
constexpr std::size_t kPrefixLength = 4;
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
        output_.Message(MessageLog::TimeStamp(now) + text +
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
