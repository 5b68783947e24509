#pragma once

#include <cstdint>

// The hidden key sequence that switches the control mode: Shift+Ctrl+F12, then the three
// letters of the access word, with no other key in between. Keys are Windows key codes.
class ControlModeKeySequence {
public:
    static constexpr int32_t kF12 = 123;

    // Takes one key-down; true when it completed the sequence.
    bool OnKeyDown(int32_t keyCode, bool shift, bool ctrl);
    bool IsArmed() const { return armed_; }

private:
    bool armed_ = false;
    int index_ = 0;
};
