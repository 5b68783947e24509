#pragma once

#include <memory>
#include <string>

class ProcessContext;

// The progress window of long operations. ShowProgress opens it over the active window (which
// is disabled meanwhile); SetProgress and EndProgress do nothing while it is not shown;
// EndProgress shows 100 % for one second, then closes it and enables its owner again.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void ShowProgress(const std::string& message) = 0;
    virtual void SetProgressMessage(const std::string& message) = 0;
    virtual void SetProgress(int percent) = 0;
    virtual void EndProgress() = 0;
    static std::unique_ptr<ProgressSink> CreateDefault(ProcessContext& context);
};
