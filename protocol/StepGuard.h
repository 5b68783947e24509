#pragma once

#include <string>

class ProcessContext;

// Watches the requests of a long operation (a LUT transfer, a settings file load, Store All, a
// read of the camera): it ends when the operator cancels, or when the camera left two requests
// in a row unanswered, so that a camera that fell silent costs two time-outs, not one for every
// step left. A single lost reply on a noisy line does not end it.
class StepGuard {
public:
    // Starts with no cancel pending.
    explicit StepGuard(ProcessContext& context);

    // After each request: false once the operation must end.
    bool AfterRequest();
    // Between steps that send nothing: false once the operator cancelled.
    bool Continue() const;

    bool Cancelled() const { return cancelled_; }
    bool CameraSilent() const { return silentRequests_ >= kSilentRequests; }
    bool Stopped() const { return cancelled_ || CameraSilent(); }

    // When the operation stopped early, tells the operator how far it got ("Written 10 of 256
    // LUT entries") and why; true when it did.
    bool TellHowFar(const std::string& howFar) const;

private:
    static constexpr int kSilentRequests = 2;

    ProcessContext& context_;
    int silentRequests_ = 0;
    mutable bool cancelled_ = false;
};
