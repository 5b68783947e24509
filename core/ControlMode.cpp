#include "core/ControlMode.h"

#include "core/ProcessContext.h"
#include "core/SettingsStore.h"

ControlMode::ControlMode(ProcessContext& context) : settings_(context.Get<SettingsStore>()) {
    int32_t stored = 0;
    settings_.ReadDword(kControlModeValue, stored, 0);
    Set(stored);  // anything but 1 counts as user mode
}

ControlMode::~ControlMode() {
    settings_.WriteDword(kControlModeValue, mode_);
}
