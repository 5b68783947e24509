#include "protocol/Command.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>

#include "core/LogSinks.h"
#include "core/Notifier.h"
#include "core/OnlineStatusSink.h"
#include "core/ProcessContext.h"
#include "core/WaitClock.h"
#include "core/WaitFeedback.h"
#include "protocol/CommandTable.h"
#include "protocol/ReplyParser.h"
#include "transport/CameraPort.h"

namespace {

const char kCaption[] = "Communication Error";
// Kinds of the messages whose texts change with what the camera sent.
const char kUnexpectedLine[] = "unexpected line";
const char kLostBytes[] = "lost bytes";
constexpr std::chrono::milliseconds kByteTimeout{10};
// A camera that answers later than a request's time-out mostly answers within half as long
// again: the line must be quiet that long (at most this) before the next request goes out.
constexpr std::chrono::milliseconds kLongestOverdueQuiet{1000};
// A camera that never falls quiet holds the next request for no longer than this many quiet
// spans.
constexpr int kOverdueWaitSpans = 2;

}  // namespace

class Command::BusyScope {
public:
    explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyScope() { busy_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& busy_;
};

Command::Command(ProcessContext& context) : context_(context) {}

std::string Command::GetMnemonic(int cmdId) {
    const CommandEntry* entry = CommandTable::Find(cmdId);
    return entry == nullptr ? std::string() : std::string(entry->mnemonic);
}

std::string Command::BuildSetRequest(int cmdId, const CommandValue& value, int32_t kind) {
    std::string valueText;
    char number[64];
    switch (kind) {
        case kIntegerValue:
            std::snprintf(number, sizeof number, "%d", value.integer);
            valueText = number;
            break;
        case kDecimalValue: {
            const CommandEntry* entry = CommandTable::Find(cmdId);
            std::snprintf(number, sizeof number, "%.*f", entry ? entry->decimals : 0,
                          value.decimal);
            valueText = number;
            break;
        }
        default:
            valueText = value.text;
            break;
    }
    return GetMnemonic(cmdId) + "=" + valueText + "\r\n";
}

std::string Command::BuildQueryRequest(int cmdId) {
    return GetMnemonic(cmdId) + "?\r\n";
}

void Command::ClearReceived() {
    // A late reply to an earlier request may still wait in the transport, where the drain has
    // not taken it (a program without the window's timer has none): it is logged and dropped,
    // so that it is never taken for the answer to the next request.
    while (ReceiveLine(Clock::now())) {
    }
    receiver_.Clear();
    receivedLines_.clear();
}

std::string Command::PopLine() {
    if (receivedLines_.empty()) {
        return std::string();
    }
    std::string line = std::move(receivedLines_.front());
    receivedLines_.pop_front();
    return line;
}

void Command::SetOnline(bool online) {
    context_.Get<OnlineStatusSink>().SetOnline(online);
}

void Command::ShowError(const std::string& text, const char* kind) {
    // A blank line from the camera would make an empty box that tells the operator nothing.
    const std::string shown = text.find_first_not_of(" \t") == std::string::npos
                                  ? "The camera sent an empty line."
                                  : text;
    context_.Get<Notifier>().Show({shown, kCaption, MessageIcon::Warning, MessageButtons::Ok},
                                  kind);
}

void Command::ReportDroppedBytes() {
    const int32_t dropped = context_.Get<CameraPort>().TakeDroppedByteCount();
    if (dropped > 0) {
        droppedBytes_ += dropped;
        return;  // the burst goes on; one message when it is over
    }
    if (droppedBytes_ > 0) {
        // Bytes lost in the transport are never silent: a reply may have been cut.
        const int32_t lost = droppedBytes_;
        droppedBytes_ = 0;
        ShowError("RS-232C receiving buffer overflowed\n" + std::to_string(lost) +
                      " received bytes were lost.",
                  kLostBytes);
    }
}

bool Command::ReceiveLine(Clock::time_point deadline) {
    CameraPort& port = context_.Get<CameraPort>();
    for (;;) {
        // One byte at a time: what follows a line end stays in the transport for the next one.
        char byte = 0;
        if (port.Read(&byte, 1, deadline) <= 0) {
            return false;
        }
        lastByteAt_ = Clock::now();
        std::string line;
        switch (receiver_.Feed(byte, line)) {
            case LineReceiver::Result::Pending:
                continue;
            case LineReceiver::Result::Overflow:
                ShowError("RS-232C receiving buffer overflowed");
                return false;
            case LineReceiver::Result::Line:
                receivedLines_.push_back(line);
                context_.Get<TerminalLogSink>().AddLine("Rx: " + line);
                context_.Get<MessageLogSink>().Add(line);
                return true;
        }
    }
}

bool Command::PollReceive() {
    ReportDroppedBytes();
    return ReceiveLine(Clock::now() + kByteTimeout);
}

void Command::OnTimer() {
    lastEventLoop_ = Clock::now();
    if (busy_) {
        return;
    }
    BusyScope scope(busy_);
    // Every line that is complete now, not one a tick: a chatty camera must not outrun the
    // transport's ring.
    while (ReceiveLine(Clock::now())) {
    }
    ReportDroppedBytes();
}

bool Command::WaitForLine(Clock::time_point deadline, std::string& line) {
    ReportDroppedBytes();
    WaitFeedback& feedback = context_.Get<WaitFeedback>();
    feedback.BeginWait();
    bool received = false;
    for (;;) {
        // Sleeps on the port until bytes arrive, waking in time for the windows to repaint.
        const Clock::time_point keepAlive = lastEventLoop_ + kKeepAlivePeriod;
        if (ReceiveLine(std::min(deadline, keepAlive))) {
            received = true;
            break;
        }
        const Clock::time_point now = Clock::now();
        // A device that went away answers no more: the request ends now, not at its time-out.
        if (now >= deadline || context_.Get<CameraPort>().LinkLost()) {
            break;
        }
        if (now >= keepAlive) {
            feedback.KeepAlive();
            lastEventLoop_ = Clock::now();
        }
    }
    feedback.EndWait();
    if (received) {
        line = PopLine();
    }
    return received;
}

void Command::AwaitOverdueReply() {
    if (!replyOverdue_) {
        return;
    }
    replyOverdue_ = false;
    const WaitClock& clock = context_.Get<WaitClock>();
    const Clock::duration quiet = clock.Timeout(
        std::min(std::chrono::milliseconds(overdueTimeoutMs_ / 2), kLongestOverdueQuiet));
    const Clock::time_point limit = Clock::now() + quiet * kOverdueWaitSpans;
    std::string line;
    for (;;) {
        // Quiet since the time-out, or since the last byte, whichever came later.
        const Clock::time_point until =
            std::min(std::max(overdueSince_, lastByteAt_) + quiet, limit);
        if (Clock::now() >= until || context_.Get<CameraPort>().LinkLost()) {
            return;
        }
        WaitForLine(until, line);  // logged as every line is, and dropped
    }
}

bool Command::Ended(RequestOutcome::Kind kind, int timeoutMs, const std::string& reply) {
    lastOutcome_ = {kind, reply, timeoutMs};
    if (kind == RequestOutcome::Kind::NoAnswer && !context_.Get<CameraPort>().LinkLost()) {
        replyOverdue_ = true;
        overdueSince_ = Clock::now();
        overdueTimeoutMs_ = timeoutMs;
    }
    return kind == RequestOutcome::Kind::Answered;
}

bool Command::IsComplete(const std::string& line) {
    std::string head = line.substr(0, 8);
    for (char& c : head) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return head == "COMPLETE";
}

bool Command::WaitComplete(int timeoutMs) {
    std::string line;
    if (!WaitForLine(context_.Get<WaitClock>().TimeoutFromNow(std::chrono::milliseconds(timeoutMs)),
                     line)) {
        SetOnline(false);
        return Ended(RequestOutcome::Kind::NoAnswer, timeoutMs);
    }
    if (IsComplete(line)) {
        SetOnline(true);
        return Ended(RequestOutcome::Kind::Answered, timeoutMs);
    }
    ShowError(line, kUnexpectedLine);
    SetOnline(true);
    return Ended(RequestOutcome::Kind::Refused, timeoutMs, line);
}

bool Command::SendSet(int cmdId, const CommandValue& value, int32_t kind, int timeoutMs) {
    if (busy_ || CommandTable::Find(cmdId) == nullptr) {
        // A request never starts inside another one.
        return Ended(RequestOutcome::Kind::NotSent, timeoutMs);
    }
    BusyScope scope(busy_);
    AwaitOverdueReply();
    ClearReceived();
    if (!context_.Get<CameraPort>().Write(BuildSetRequest(cmdId, value, kind))) {
        return Ended(RequestOutcome::Kind::NotSent, timeoutMs);
    }
    return WaitComplete(timeoutMs);
}

bool Command::SetValue(int cmdId, int32_t value, int timeoutMs) {
    const CommandEntry* entry = CommandTable::Find(cmdId);
    CommandValue request;
    request.integer = value;
    return SendSet(cmdId, request, entry ? entry->kind : kIntegerValue, timeoutMs);
}

bool Command::SetString(int cmdId, const std::string& text, int timeoutMs) {
    CommandValue request;
    request.text = text;
    return SendSet(cmdId, request, kTextValue, timeoutMs);  // the text goes out unchanged
}

bool Command::Query(int cmdId, CommandValue& value, int timeoutMs) {
    if (busy_ || CommandTable::Find(cmdId) == nullptr) {
        return Ended(RequestOutcome::Kind::NotSent, timeoutMs);
    }
    BusyScope scope(busy_);
    AwaitOverdueReply();
    ClearReceived();
    const std::string query = BuildQueryRequest(cmdId);
    context_.Get<CameraPort>().Write(query);  // a failed send shows as a missing reply

    // A query is never answered with COMPLETE: one that comes is the late acknowledgement of an
    // earlier set (logged as every line is) and the answer is still awaited.
    const Clock::time_point deadline =
        context_.Get<WaitClock>().TimeoutFromNow(std::chrono::milliseconds(timeoutMs));
    std::string line;
    do {
        if (!WaitForLine(deadline, line)) {
            SetOnline(false);
            return Ended(RequestOutcome::Kind::NoAnswer, timeoutMs);
        }
    } while (IsComplete(line));
    const ParsedReply reply = ParseReply(line);
    if (!reply.error && reply.mnemonic == GetMnemonic(cmdId)) {
        value = reply.value;
        SetOnline(true);
        return Ended(RequestOutcome::Kind::Answered, timeoutMs, line);
    }
    ShowError(reply.rawLine + " for " + query.substr(0, query.size() - 2), kUnexpectedLine);
    return Ended(RequestOutcome::Kind::Refused, timeoutMs, line);
}

bool Command::GetValue(int cmdId, int32_t& value, int timeoutMs) {
    CommandValue reply;
    if (!Query(cmdId, reply, timeoutMs)) {
        return false;
    }
    value = reply.integer;
    return true;
}

bool Command::GetString(int cmdId, std::string& text, int timeoutMs) {
    CommandValue reply;
    if (!Query(cmdId, reply, timeoutMs)) {
        text.clear();
        return false;
    }
    text = reply.text;
    return true;
}

bool Command::ParseLine(const std::string& line, int& cmdId, std::string& mnemonic, int32_t& value,
                        std::string& text) {
    const ParsedReply reply = ParseReply(line);
    if (reply.error) {
        return false;
    }
    cmdId = reply.commandId;
    mnemonic = reply.mnemonic;
    value = reply.value.integer;
    text = reply.value.text;
    return true;
}
