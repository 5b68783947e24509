#include "protocol/Command.h"

#include <cctype>
#include <chrono>
#include <cstdio>
#include <thread>

#include "core/LogSinks.h"
#include "core/Notifier.h"
#include "core/OnlineStatusSink.h"
#include "core/ProcessContext.h"
#include "core/WaitCursor.h"
#include "protocol/CommandTable.h"
#include "protocol/ReplyParser.h"
#include "transport/CameraPort.h"

namespace {

const char kCaption[] = "Communication Error";
constexpr int kPollSleepMs = 20;
constexpr int kByteTimeoutMs = 10;

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

void Command::ShowError(const std::string& text) {
    context_.Get<Notifier>().Show({text, kCaption, MessageIcon::Warning, MessageButtons::Ok});
}

void Command::ReportDroppedBytes() {
    const int32_t dropped = context_.Get<CameraPort>().TakeDroppedByteCount();
    if (dropped > 0) {
        // Bytes lost in the transport are never silent: the next reply may be cut.
        ShowError("RS-232C receiving buffer overflowed\n" + std::to_string(dropped) +
                  " received bytes were lost.");
    }
}

bool Command::PollReceive() {
    ReportDroppedBytes();
    CameraPort& port = context_.Get<CameraPort>();
    for (;;) {
        char byte = 0;
        if (port.Read(&byte, 1, kByteTimeoutMs) <= 0) {
            return false;
        }
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

void Command::OnTimer() {
    if (busy_) {
        return;
    }
    BusyScope scope(busy_);
    PollReceive();
}

bool Command::WaitForLine(int timeoutMs, std::string& line) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    std::this_thread::sleep_for(std::chrono::milliseconds(kPollSleepMs));
    while (!PollReceive()) {
        const auto elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
        if (elapsed >= timeoutMs) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollSleepMs));
    }
    line = PopLine();
    return true;
}

bool Command::WaitComplete(int timeoutMs) {
    WaitCursor& cursor = context_.Get<WaitCursor>();
    cursor.Show();
    std::string line;
    if (!WaitForLine(timeoutMs, line)) {
        cursor.Restore();
        SetOnline(false);
        return false;
    }
    std::string head = line.substr(0, 8);
    for (char& c : head) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    cursor.Restore();
    if (head == "COMPLETE") {
        SetOnline(true);
        return true;
    }
    ShowError(line);
    SetOnline(true);
    return false;
}

bool Command::SendSet(int cmdId, const CommandValue& value, int32_t kind, int timeoutMs) {
    if (busy_ || CommandTable::Find(cmdId) == nullptr) {
        return false;  // a request never starts inside another one
    }
    BusyScope scope(busy_);
    ClearReceived();
    if (!context_.Get<CameraPort>().Write(BuildSetRequest(cmdId, value, kind))) {
        return false;
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
        return false;
    }
    BusyScope scope(busy_);
    ClearReceived();
    const std::string query = BuildQueryRequest(cmdId);
    context_.Get<CameraPort>().Write(query);  // a failed send shows as a missing reply

    std::string line;
    if (!WaitForLine(timeoutMs, line)) {
        SetOnline(false);
        return false;
    }
    const ParsedReply reply = ParseReply(line);
    if (reply.error == 0 && reply.mnemonic == GetMnemonic(cmdId)) {
        value = reply.value;
        SetOnline(true);
        return true;
    }
    ShowError(reply.rawLine + " for " + query.substr(0, query.size() - 2));
    return false;
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
    if (reply.error != 0) {
        return false;
    }
    cmdId = reply.commandId;
    mnemonic = reply.mnemonic;
    value = reply.value.integer;
    text = reply.value.text;
    return true;
}
