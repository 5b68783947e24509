#include "tests/support/RecordingNotifier.h"

MessageAnswer RecordingNotifier::Present(const MessageRequest& request) {
    messages_.push_back(request);
    if (request.buttons == MessageButtons::Ok) {
        return MessageAnswer::Ok;
    }
    if (answers_.empty()) {
        return MessageAnswer::Yes;
    }
    const MessageAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::vector<std::string> RecordingNotifier::Texts() const {
    std::vector<std::string> texts;
    for (const MessageRequest& message : messages_) {
        texts.push_back(message.text);
    }
    return texts;
}
