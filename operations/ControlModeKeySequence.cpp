#include "operations/ControlModeKeySequence.h"

#include <array>

namespace {

// The access word, kept as key codes rather than as a text that a look at the binary shows.
std::array<int32_t, 3> AccessWord() {
    return {{'A' + 17, 'A' + 21, 'A' + 5}};
}

}  // namespace

bool ControlModeKeySequence::OnKeyDown(int32_t keyCode, bool shift, bool ctrl) {
    if (shift && ctrl && keyCode == kF12) {
        armed_ = true;
        index_ = 0;
        return false;
    }
    if (!armed_) {
        return false;
    }
    const std::array<int32_t, 3> word = AccessWord();
    if (keyCode != word[index_]) {
        armed_ = false;
        index_ = 0;
        return false;
    }
    if (++index_ < static_cast<int>(word.size())) {
        return false;
    }
    armed_ = false;
    index_ = 0;
    return true;
}
