#include "core/OperationScope.h"

#include "core/LogSinks.h"
#include "core/OneLine.h"
#include "core/ProcessContext.h"

OperationScope::OperationScope(ProcessContext& context)
    : context_(context),
      notifier_(context.Get<Notifier>()),
      outermost_(notifier_.operation_ == nullptr) {
    if (outermost_) {
        notifier_.operation_ = this;
    }
}

OperationScope::~OperationScope() {
    if (!outermost_) {
        return;
    }
    notifier_.operation_ = nullptr;
    std::string caption;
    const std::string text = ClosingText(caption);
    if (!text.empty()) {
        notifier_.Show({text, caption, MessageIcon::Warning, MessageButtons::Ok});
    }
}

bool OperationScope::Running(ProcessContext& context) {
    return context.Get<Notifier>().operation_ != nullptr;
}

bool OperationScope::HoldBack(const MessageRequest& request, const std::string& kind) {
    if (request.buttons != MessageButtons::Ok) {
        return false;  // an answer is needed every time
    }
    const std::string& sameAs = kind.empty() ? request.text : kind;
    for (Shown& message : shown_) {
        if (message.caption == request.caption && message.kind == sameAs) {
            ++message.repeats;
            message.varied = message.varied || request.text != message.text;
            context_.Get<MessageLogSink>().Add(request.caption + ": " + OneLine(request.text));
            return true;
        }
    }
    shown_.push_back({request.caption, sameAs, request.text});
    return false;
}

std::string OperationScope::ClosingText(std::string& caption) const {
    std::string text;
    for (const Shown& message : shown_) {
        if (message.repeats == 0) {
            continue;
        }
        if (text.empty()) {
            caption = message.caption;
        } else {
            text += "\n";
            if (caption != message.caption) {
                caption = kApplicationCaption;  // repeats under several captions
            }
        }
        text += std::string(message.varied ? "Messages like" : "The message") + " \"" +
                OneLine(message.text) + "\" came " + std::to_string(message.repeats) +
                (message.repeats == 1 ? " more time" : " more times") + "; see the message log.";
    }
    return text;
}
