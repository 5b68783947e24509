#include "tools/rvctl/InputLines.h"

InputLines::InputLines(std::istream& in) : in_(in), reader_(&InputLines::Read, this) {}

InputLines::~InputLines() {
    reader_.join();
}

void InputLines::Read() {
    std::string line;
    while (std::getline(in_, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        std::lock_guard<std::mutex> hold(mutex_);
        lines_.push_back(line);
        arrived_.notify_all();
    }
    std::lock_guard<std::mutex> hold(mutex_);
    ended_ = true;
    arrived_.notify_all();
}

std::vector<std::string> InputLines::Take(std::chrono::milliseconds wait) {
    std::unique_lock<std::mutex> hold(mutex_);
    arrived_.wait_for(hold, wait, [this] { return !lines_.empty() || ended_; });
    std::vector<std::string> taken(lines_.begin(), lines_.end());
    lines_.clear();
    return taken;
}

bool InputLines::Ended() {
    std::lock_guard<std::mutex> hold(mutex_);
    return ended_ && lines_.empty();
}
