#pragma once

#include <vector>

#include "core/Notifier.h"

class ProcessContext;

// Holds back the messages of a step whose failures are better told together once it is over
// (a search over sixteen ports, say): while it lives, every message that asks nothing goes to
// the message log and is kept instead of shown. Questions are still asked.
class MessageGathering {
public:
    explicit MessageGathering(ProcessContext& context);
    ~MessageGathering();
    MessageGathering(const MessageGathering&) = delete;
    MessageGathering& operator=(const MessageGathering&) = delete;

    const std::vector<MessageRequest>& Messages() const { return messages_; }

private:
    friend class Notifier;
    void Keep(const MessageRequest& request);

    ProcessContext& context_;
    Notifier& notifier_;
    MessageGathering* outer_;
    std::vector<MessageRequest> messages_;
};
