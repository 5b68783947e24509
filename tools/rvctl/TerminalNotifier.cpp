#include "tools/rvctl/TerminalNotifier.h"

#include "tools/rvctl/CameraOutput.h"

namespace {

// The count of a message's repeats points to the window's message log; rvctl's is -v.
const char kLogPointer[] = "; see the message log.";

std::string PointToTheTrace(std::string text, bool verbose) {
    const std::string pointer = verbose ? "; the trace above has each." : "; -v shows each.";
    for (std::size_t at = 0; (at = text.find(kLogPointer, at)) != std::string::npos;) {
        text.replace(at, sizeof kLogPointer - 1, pointer);
        at += pointer.size();
    }
    return text;
}

}  // namespace

MessageAnswer TerminalNotifier::Present(const MessageRequest& request) {
    const std::string message = PointToTheTrace(
        request.caption.empty() ? request.text : request.caption + ": " + request.text,
        tellAnswered_);
    if (request.buttons != MessageButtons::YesNo) {
        if (!quiet_) {
            output_.Message(message);
        }
        return MessageAnswer::Ok;
    }
    if (yes_) {
        // Asked and answered each night, the question would only fill the mail of a cron job.
        if (tellAnswered_) {
            output_.Message(message + "\n(yes: --yes)");
        }
        return MessageAnswer::Yes;
    }
    refused_ = true;
    output_.Message(message + "\n(no: pass --yes to answer yes)");
    return MessageAnswer::No;
}
