#include "core/MessageGathering.h"

#include "core/LogSinks.h"
#include "core/ProcessContext.h"

MessageGathering::MessageGathering(ProcessContext& context)
    : context_(context), notifier_(context.Get<Notifier>()), outer_(notifier_.gathering_) {
    notifier_.gathering_ = this;
}

MessageGathering::~MessageGathering() {
    notifier_.gathering_ = outer_;
}

void MessageGathering::Keep(const MessageRequest& request) {
    context_.Get<MessageLogSink>().Add(request.caption + ": " + request.text);
    messages_.push_back(request);
}
