#pragma once

#include <memory>
#include <string>

class OperatorWindow;
class ProcessContext;

// The progress window of long operations. ShowProgress opens it over its owner, the window that
// started the operation (the main window when none is given), and disables the owner meanwhile;
// SetProgress and EndProgress do nothing while it is not shown; EndProgress shows 100 % for one
// second, then closes it and enables its owner again.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void ShowProgress(OperatorWindow* owner, const std::string& message) = 0;
    virtual void SetProgressMessage(const std::string& message) = 0;
    virtual void SetProgress(int percent) = 0;
    virtual void EndProgress() = 0;
    static std::unique_ptr<ProgressSink> CreateDefault(ProcessContext& context);
};
