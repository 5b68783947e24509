#include "presenters/ControlModeKeySequence.h"

#include <array>

namespace {

// The access word, kept as offsets rather than as a text that a look at the binary shows.
std::array<char, 3> AccessWord() {
    return {{'A' + 17, 'A' + 21, 'A' + 5}};
}

}  // namespace

bool ControlModeKeySequence::OnKeyDown(SequenceKey key, bool shift, bool ctrl) {
    if (shift && ctrl && key.kind == SequenceKey::Kind::F12) {
        armed_ = true;
        index_ = 0;
        return false;
    }
    if (!armed_) {
        return false;
    }
    const std::array<char, 3> word = AccessWord();
    if (key.kind != SequenceKey::Kind::Letter || key.letter != word[index_]) {
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
