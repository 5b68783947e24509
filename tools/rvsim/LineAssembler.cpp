#include "tools/rvsim/LineAssembler.h"

std::vector<ReceivedLine> LineAssembler::Feed(std::string_view bytes) {
    std::vector<ReceivedLine> lines;
    for (char c : bytes) {
        if (c == '\n') {
            if (!partial_.empty() && partial_.back() == '\r' && !overlong_) {
                partial_.pop_back();
            }
            lines.push_back({partial_, overlong_});
            partial_.clear();
            overlong_ = false;
        } else if (partial_.size() < kMaxLineLength) {
            partial_ += c;
        } else {
            overlong_ = true;  // the rest up to the LF is lost, as in a full line buffer
        }
    }
    return lines;
}

void LineAssembler::Clear() {
    partial_.clear();
    overlong_ = false;
}
