#include "operations/ProtocolLogs.h"

#include "core/ProcessContext.h"
#include "operations/MessageLog.h"
#include "operations/TerminalLog.h"

void ProvideProtocolLogs(ProcessContext& context) {
    context.ProvideAs<MessageLogSink, MessageLog>();
    context.ProvideAs<TerminalLogSink, TerminalLog>();
}
