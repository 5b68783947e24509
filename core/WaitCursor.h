#pragma once

#include <memory>

class ProcessContext;

// Shows the busy cursor while the program waits for the camera.
class WaitCursor {
public:
    virtual ~WaitCursor() = default;
    virtual void Show() = 0;
    virtual void Restore() = 0;
    static std::unique_ptr<WaitCursor> CreateDefault(ProcessContext& context);
};
