#pragma once

#include <string>
#include <vector>

#include "core/LogSinks.h"
#include "core/OnlineStatusSink.h"

class ProcessContext;

// Records the protocol trace as the two logs receive it.
class RecordingTerminalLog : public TerminalLogSink {
public:
    void AddLine(const std::string& text) override { lines.push_back(text); }
    std::vector<std::string> lines;
};

class RecordingMessageLog : public MessageLogSink {
public:
    void Add(const std::string& text) override { lines.push_back(text); }
    std::vector<std::string> lines;
};

// Records every online/offline report.
class RecordingOnlineStatus : public OnlineStatusSink {
public:
    void SetOnline(bool online) override { reports.push_back(online); }
    std::vector<bool> reports;
};

// The recorders above, made the context's instances.
struct RecordingServices {
    explicit RecordingServices(ProcessContext& context);
    RecordingTerminalLog terminalLog;
    RecordingMessageLog messageLog;
    RecordingOnlineStatus onlineStatus;
};
