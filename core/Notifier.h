#pragma once

#include <memory>
#include <string>

#include "core/Version.h"

class MessageGathering;
class MessageRepeats;
class OperationScope;
class ProcessContext;

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// Caption of the messages that name no caption of their own.
inline constexpr const char* kApplicationCaption = kProductName;

struct MessageRequest {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::Warning;
    MessageButtons buttons = MessageButtons::Ok;
    // The answer Enter gives to a question: No where Yes would lose what the operator has.
    MessageAnswer defaultAnswer = MessageAnswer::Yes;
};

// Shows an operator message and waits for the answer. rvtool shows a modal message box,
// rvctl writes to the terminal, tests record and answer from a script: each program presents
// the message its way, and every message passes Show first, so that within a long operation
// (OperationScope) a message shown once already is not presented again, and between requests
// (IdleLineScope) a message that comes again before the line has been quiet for a while goes
// to the message log only. A program that provides none tells nobody and answers No to every
// question, so nothing is overwritten unasked.
class Notifier {
public:
    virtual ~Notifier() = default;
    // kind: what makes two messages of one operation the same one; empty: their text. A
    // message whose text quotes what came from the camera names a kind, so that replies garbled
    // each into other bytes still count as one message coming again.
    MessageAnswer Show(const MessageRequest& request, const std::string& kind = std::string());
    static std::unique_ptr<Notifier> CreateDefault(ProcessContext& context);

    void Warn(const std::string& text, const std::string& caption = kApplicationCaption) {
        Show({text, caption, MessageIcon::Warning, MessageButtons::Ok});
    }
    // A message with an OK button under the program's caption.
    void Tell(const std::string& text, MessageIcon icon) {
        Show({text, kApplicationCaption, icon, MessageButtons::Ok});
    }
    bool AskYesNo(const std::string& text, const std::string& caption,
                  MessageAnswer defaultAnswer = MessageAnswer::Yes) {
        return Show({text, caption, MessageIcon::Question, MessageButtons::YesNo, defaultAnswer}) ==
               MessageAnswer::Yes;
    }

    // Called by the process context that made this its notifier: repeats are told apart by the
    // context's clock and go to its message log.
    void JoinContext(ProcessContext& context);

private:
    friend class MessageGathering;
    friend class OperationScope;
    friend class MessageRepeats;
    friend class IdleLineScope;
    // The program's way to show the message and wait for the answer.
    virtual MessageAnswer Present(const MessageRequest& request) = 0;

    OperationScope* operation_ = nullptr;    // the operation running now, if any
    MessageGathering* gathering_ = nullptr;  // the messages held back now, if any
    MessageRepeats* repeats_ = nullptr;      // the messages shown lately, once in a context
    int idle_ = 0;                           // IdleLineScopes open now
};

// The program reads what the line sends on its own, between requests (the drain of a timer
// tick): nobody asked, so a message that came already comes again only once the line has been
// quiet for a while. A device that streams without line ends then overflows the receiver into
// one box and the message log, not into one box after each OK. Every coming of the message
// counts, in an operation too, so a stream that goes on after an operation stays in the log.
class IdleLineScope {
public:
    explicit IdleLineScope(ProcessContext& context);
    ~IdleLineScope();
    IdleLineScope(const IdleLineScope&) = delete;
    IdleLineScope& operator=(const IdleLineScope&) = delete;

private:
    Notifier& notifier_;
};
