#include "protocol/StepGuard.h"

#include "core/CancelToken.h"
#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "protocol/CommandEngine.h"

StepGuard::StepGuard(ProcessContext& context) : context_(context) {
    context_.Get<CancelToken>().Reset();
}

bool StepGuard::AfterRequest() {
    if (context_.Get<CommandEngine>().LastOutcome().kind == RequestOutcome::Kind::NoAnswer) {
        ++silentRequests_;
    } else {
        silentRequests_ = 0;
    }
    return Continue() && !CameraSilent();
}

bool StepGuard::Continue() const {
    if (context_.Get<CancelToken>().Requested()) {
        cancelled_ = true;
    }
    return !cancelled_;
}

bool StepGuard::TellHowFar(const std::string& howFar) const {
    if (!Stopped()) {
        return false;
    }
    context_.Get<Notifier>().Warn(
        howFar + (cancelled_ ? ": cancelled." : ": the camera stopped answering."));
    return true;
}
