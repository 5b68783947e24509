#pragma once

#include <string>

#include "core/ProgressSink.h"

class Console;

// The progress window as a bar on the terminal: the message, a bar and the percentage, redrawn
// in place on the error stream.
class TerminalProgress : public ProgressSink {
public:
    explicit TerminalProgress(Console& console) : console_(console) {}

    void ShowProgress(OperatorWindow* owner, const std::string& message) override;
    void SetProgressMessage(const std::string& message) override;
    void SetProgress(int percent) override;
    void EndProgress() override;
    void StopProgress() override;

    // "Now, reading camera settings. [#####               ]  25%"
    static std::string Bar(const std::string& message, int percent);

private:
    void Draw();
    // Leaves the bar's line as it was last drawn.
    void CloseLine();

    Console& console_;
    bool shown_ = false;
    std::string message_;
    int percent_ = 0;
};
