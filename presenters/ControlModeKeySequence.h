#pragma once

// A key pressed, as far as the sequence tells keys apart.
struct SequenceKey {
    enum class Kind { F12, Letter, Other };
    Kind kind = Kind::Other;
    char letter = 0;  // 'A' to 'Z' for a letter, whatever the case typed
};

// The hidden key sequence that switches the control mode: Shift+Ctrl+F12, then the three
// letters of the access word, with no other key in between.
class ControlModeKeySequence {
public:
    // Takes one key-down; true when it completed the sequence.
    bool OnKeyDown(SequenceKey key, bool shift, bool ctrl);
    bool IsArmed() const { return armed_; }

private:
    bool armed_ = false;
    int index_ = 0;
};
