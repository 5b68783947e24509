#pragma once

#include "core/Notifier.h"

class CameraOutput;

// The operator's messages on the error stream: caption, then the text exactly as the window's
// message box shows it. A yes/no question is answered yes only with --yes, quietly unless -v;
// otherwise it is answered no, and the run says how to answer it.
class TerminalNotifier : public Notifier {
public:
    // quiet: messages are left out (a port search that expects most ports to fail);
    // tellAnswered: -v; a question --yes answered is shown with its answer, and a count of
    // repeated messages points to the trace.
    TerminalNotifier(CameraOutput& output, bool yes, bool quiet, bool tellAnswered)
        : output_(output), yes_(yes), quiet_(quiet), tellAnswered_(tellAnswered) {}

    // A question was answered no for want of --yes.
    bool RefusedAQuestion() const { return refused_; }

private:
    MessageAnswer Present(const MessageRequest& request) override;

    CameraOutput& output_;
    bool yes_;
    bool quiet_;
    bool tellAnswered_;
    bool refused_ = false;
};
