#pragma once

#include <memory>
#include <string>

class ProcessContext;

// Where the protocol trace goes: the terminal log ("Tx: "/"Rx: " lines, time-stamped by the
// log) and the message log (bare lines). rvtool shows them in its dialogs; programs without
// those dialogs keep the default, which discards the lines.
class TerminalLogSink {
public:
    virtual ~TerminalLogSink() = default;
    virtual void AddLine(const std::string& text) = 0;
    static std::unique_ptr<TerminalLogSink> CreateDefault(ProcessContext& context);
};

class MessageLogSink {
public:
    virtual ~MessageLogSink() = default;
    virtual void Add(const std::string& text) = 0;
    static std::unique_ptr<MessageLogSink> CreateDefault(ProcessContext& context);
};
