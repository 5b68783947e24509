#include "tools/rvctl/TerminalNotifier.h"

#include "tools/rvctl/CameraOutput.h"

MessageAnswer TerminalNotifier::Present(const MessageRequest& request) {
    const std::string message =
        request.caption.empty() ? request.text : request.caption + ": " + request.text;
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
