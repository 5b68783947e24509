#include "tests/support/RecordingServices.h"

#include "core/ProcessContext.h"

RecordingServices::RecordingServices(ProcessContext& context) {
    context.ProvideExternal<TerminalLogSink>(terminalLog);
    context.ProvideExternal<MessageLogSink>(messageLog);
    context.ProvideExternal<OnlineStatusSink>(onlineStatus);
}
