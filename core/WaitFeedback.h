#pragma once

#include <memory>

class ProcessContext;

// What the program does while the command engine waits for the camera. rvtool shows the wait
// cursor and keeps its windows painted, while its windows take no input; programs without
// windows do nothing. BeginWait and EndWait pair up around every wait; KeepAlive comes in
// between, often enough for windows to repaint smoothly. A long operation also calls KeepAlive
// after each of its steps, so that its windows repaint between requests.
class WaitFeedback {
public:
    virtual ~WaitFeedback() = default;
    virtual void BeginWait() = 0;
    virtual void KeepAlive() = 0;
    virtual void EndWait() = 0;
    static std::unique_ptr<WaitFeedback> CreateDefault(ProcessContext& context);
};
