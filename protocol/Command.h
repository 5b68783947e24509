#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <string>

#include "protocol/CommandEngine.h"
#include "protocol/CommandValue.h"
#include "protocol/LineReceiver.h"

class ProcessContext;

// The command engine: turns a command id into a request line, sends it through the camera
// port, waits for the reply line and judges it. Requests are synchronous: the wait sleeps on the
// port until bytes arrive, so a reply is taken the moment it is complete, and the next request
// goes out only after it. Between requests the program's 25 ms timer calls OnTimer so that
// everything the camera sends is logged.
class Command : public CommandEngine {
public:
    explicit Command(ProcessContext& context);

    bool SetValue(int cmdId, int32_t value, int timeoutMs) override;
    bool SetString(int cmdId, const std::string& text, int timeoutMs) override;
    bool GetValue(int cmdId, int32_t& value, int timeoutMs) override;
    bool GetString(int cmdId, std::string& text, int timeoutMs) override;
    RequestOutcome LastOutcome() const override { return lastOutcome_; }

    // A line that begins with COMPLETE, in any letter case: a set's acknowledgement.
    static bool IsComplete(const std::string& line);
    // Waits for one line and judges it as the acknowledgement of a set.
    bool WaitComplete(int timeoutMs);
    bool ParseLine(const std::string& line, int& cmdId, std::string& mnemonic, int32_t& value,
                   std::string& text);
    static std::string GetMnemonic(int cmdId);

    void ClearReceived();
    // Drains received bytes until one line is complete (true) or no byte comes within 10 ms
    // (false).
    bool PollReceive();
    std::string PopLine();

    // One tick of the periodic drain: takes and logs every complete line that has arrived.
    // Does nothing while a request is in progress, so that a message box shown during a request
    // (whose nested event loop runs timers) never takes that request's reply away.
    void OnTimer() override;
    bool Busy() const override { return busy_; }

    // While a request waits, the windows get the chance to repaint at least this often.
    static constexpr std::chrono::milliseconds kKeepAlivePeriod{40};

    static std::string BuildSetRequest(int cmdId, const CommandValue& value, int32_t kind);
    static std::string BuildQueryRequest(int cmdId);

private:
    using Clock = std::chrono::steady_clock;

    bool SendSet(int cmdId, const CommandValue& value, int32_t kind, int timeoutMs);
    bool Query(int cmdId, CommandValue& value, int timeoutMs);
    bool WaitForLine(Clock::time_point deadline, std::string& line);
    // After a request the camera did not answer in time, its reply may still be on its way:
    // waits, within a bound, until the line has been quiet for a while, and drops what came, so
    // that the late reply is never taken for the answer to the next request.
    void AwaitOverdueReply();
    // Takes received bytes until one line is complete (true) or none comes by the deadline.
    bool ReceiveLine(Clock::time_point deadline);
    // Bytes the transport dropped are told once a burst of them is over, in one message: called
    // once a tick and once a request, it reports when a call finds no new ones.
    void ReportDroppedBytes();
    // kind: what the message is about when its text quotes what came from the camera (see
    // Notifier::Show), so that each of its variants counts as the same message.
    void ShowError(const std::string& text, const char* kind = "");
    void SetOnline(bool online);
    // Records how the request ended and returns whether it was answered.
    bool Ended(RequestOutcome::Kind kind, int timeoutMs, const std::string& reply = std::string());

    // Marks a request or a drain in progress for as long as it lives.
    class BusyScope;

    ProcessContext& context_;
    LineReceiver receiver_;
    std::deque<std::string> receivedLines_;
    bool busy_ = false;
    int32_t droppedBytes_ = 0;
    RequestOutcome lastOutcome_;
    // A request timed out and its reply was not seen since: when, and how long it was given.
    bool replyOverdue_ = false;
    Clock::time_point overdueSince_{};
    int overdueTimeoutMs_ = 0;
    // When the last byte came from the camera.
    Clock::time_point lastByteAt_{};
    // When the program's event loop last ran: the drain's tick, or a keep-alive during a wait.
    Clock::time_point lastEventLoop_ = Clock::now();
};
