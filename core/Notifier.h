#pragma once

#include <memory>
#include <string>

class ProcessContext;

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// Caption of the messages that name no caption of their own.
inline constexpr const char* kApplicationCaption = "RV-2410/4820-TCL Control Tool";

struct MessageRequest {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::Warning;
    MessageButtons buttons = MessageButtons::Ok;
};

// Shows an operator message and waits for the answer. rvtool shows a modal message box,
// rvctl writes to the terminal, tests record and answer from a script. A program that provides
// none tells nobody and answers No to every question, so nothing is overwritten unasked.
class Notifier {
public:
    virtual ~Notifier() = default;
    virtual MessageAnswer Show(const MessageRequest& request) = 0;
    static std::unique_ptr<Notifier> CreateDefault(ProcessContext& context);

    void Warn(const std::string& text, const std::string& caption = kApplicationCaption) {
        Show({text, caption, MessageIcon::Warning, MessageButtons::Ok});
    }
    // A message with an OK button under the program's caption.
    void Tell(const std::string& text, MessageIcon icon) {
        Show({text, kApplicationCaption, icon, MessageButtons::Ok});
    }
    bool AskYesNo(const std::string& text, const std::string& caption) {
        return Show({text, caption, MessageIcon::Question, MessageButtons::YesNo}) ==
               MessageAnswer::Yes;
    }
};
