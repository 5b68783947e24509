#pragma once

#include "core/WaitCursor.h"

// The busy cursor over the whole application while the program waits for the camera.
class OverrideWaitCursor : public WaitCursor {
public:
    void Show() override;
    void Restore() override;
};
