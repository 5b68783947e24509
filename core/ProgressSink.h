#pragma once

#include <memory>
#include <string>

class OperatorWindow;
class ProcessContext;

// The progress window of long operations. ShowProgress opens it over its owner, the window that
// started the operation (the main window when none is given), and disables the owner meanwhile;
// SetProgress, EndProgress and StopProgress do nothing while it is not shown. Both ends keep it
// for one second, then close it and enable its owner again.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void ShowProgress(OperatorWindow* owner, const std::string& message) = 0;
    virtual void SetProgressMessage(const std::string& message) = 0;
    virtual void SetProgress(int percent) = 0;
    // The operation completed: the full bar.
    virtual void EndProgress() = 0;
    // The operation stopped early (cancelled, the camera stopped answering): the bar stays where
    // it got to, since a full one would read as success.
    virtual void StopProgress() = 0;
    // The one or the other, as the operation went.
    void FinishProgress(bool completed) { completed ? EndProgress() : StopProgress(); }
    static std::unique_ptr<ProgressSink> CreateDefault(ProcessContext& context);
};
