#pragma once

#include <cstdint>

class ProcessContext;
class SettingsStore;

// The persisted factory mode flag: 1 factory mode, 0 user mode. Read once when first used,
// written once when destroyed at exit.
class ControlMode {
public:
    explicit ControlMode(ProcessContext& context);
    ~ControlMode();
    ControlMode(const ControlMode&) = delete;
    ControlMode& operator=(const ControlMode&) = delete;

    int32_t Get() const { return mode_; }
    bool IsFactory() const { return mode_ == 1; }
    void Set(int32_t mode) { mode_ = mode == 1 ? 1 : 0; }
    void Toggle() { Set(mode_ == 1 ? 0 : 1); }

private:
    SettingsStore& settings_;
    int32_t mode_ = 0;
};
