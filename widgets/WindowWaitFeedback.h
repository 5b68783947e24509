#pragma once

#include <memory>

#include "core/WaitFeedback.h"

class OperatorInputBlocker;

// While the engine waits for the camera: the wait cursor over the whole program, windows that
// keep painting, and no operator input taken by any window that was open when the wait began.
class WindowWaitFeedback : public WaitFeedback {
public:
    WindowWaitFeedback();
    ~WindowWaitFeedback() override;

    void BeginWait() override;
    void KeepAlive() override;
    void EndWait() override;

private:
    std::unique_ptr<OperatorInputBlocker> blocker_;
};
