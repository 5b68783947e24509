#include "app/LogSinks.h"

namespace {

class DiscardingTerminalLog : public TerminalLogSink {
public:
    void AddLine(const std::string&) override {}
};

class DiscardingMessageLog : public MessageLogSink {
public:
    void Add(const std::string&) override {}
};

}  // namespace

std::unique_ptr<TerminalLogSink> TerminalLogSink::CreateDefault(ProcessContext&) {
    return std::make_unique<DiscardingTerminalLog>();
}

std::unique_ptr<MessageLogSink> MessageLogSink::CreateDefault(ProcessContext&) {
    return std::make_unique<DiscardingMessageLog>();
}
