#pragma once

#include <memory>

class ProcessContext;

// Told whether the camera answers: true whenever a reply line arrives, false when a wait for
// one times out. rvtool's status strip shows it in every window.
class OnlineStatusSink {
public:
    virtual ~OnlineStatusSink() = default;
    virtual void SetOnline(bool online) = 0;
    static std::unique_ptr<OnlineStatusSink> CreateDefault(ProcessContext& context);
};
