#pragma once

#include <deque>
#include <vector>

#include "core/Notifier.h"

// Records every operator message; questions are answered from a script (Yes when it is empty).
class RecordingNotifier : public Notifier {
public:
    void QueueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
    const std::vector<MessageRequest>& Messages() const { return messages_; }
    std::vector<std::string> Texts() const;
    void Clear() { messages_.clear(); }

private:
    MessageAnswer Present(const MessageRequest& request) override;

    std::vector<MessageRequest> messages_;
    std::deque<MessageAnswer> answers_;
};
