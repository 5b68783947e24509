#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "protocol/CommandEngine.h"
#include "protocol/CommandValue.h"
#include "protocol/LineReceiver.h"

class ProcessContext;

// The command engine: turns a command id into a request line, sends it through the camera
// port, waits (polling) for the reply line and judges it. Requests are synchronous; between
// them the program's 25 ms timer calls OnTimer so that everything the camera sends is logged.
class Command : public CommandEngine {
public:
    explicit Command(ProcessContext& context);

    bool SetValue(int cmdId, int32_t value, int timeoutMs) override;
    bool SetString(int cmdId, const std::string& text, int timeoutMs) override;
    bool GetValue(int cmdId, int32_t& value, int timeoutMs) override;
    bool GetString(int cmdId, std::string& text, int timeoutMs) override;

    // Waits for one line and judges it as the acknowledgement of a set.
    bool WaitComplete(int timeoutMs);
    bool ParseLine(const std::string& line, int& cmdId, std::string& mnemonic, int32_t& value,
                   std::string& text);
    static std::string GetMnemonic(int cmdId);

    void ClearReceived();
    // Drains received bytes until one line is complete (true) or no byte comes (false).
    bool PollReceive();
    std::string PopLine();

    // One tick of the periodic drain. Does nothing while a request is in progress, so that a
    // message box shown during a request (whose nested event loop runs timers) never takes
    // that request's reply away.
    void OnTimer();

    static constexpr int kDrainPeriodMs = 25;

    static std::string BuildSetRequest(int cmdId, const CommandValue& value, int32_t kind);
    static std::string BuildQueryRequest(int cmdId);

private:
    bool SendSet(int cmdId, const CommandValue& value, int32_t kind, int timeoutMs);
    bool Query(int cmdId, CommandValue& value, int timeoutMs);
    bool WaitForLine(int timeoutMs, std::string& line);
    void ReportDroppedBytes();
    void ShowError(const std::string& text);
    void SetOnline(bool online);

    // Marks a request or a drain in progress for as long as it lives.
    class BusyScope;

    ProcessContext& context_;
    LineReceiver receiver_;
    std::deque<std::string> receivedLines_;
    bool busy_ = false;
};
