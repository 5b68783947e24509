#include "operations/LineLog.h"

#include <utility>

LineLog::LineLog(std::size_t capacity) : capacity_(capacity == 0 ? 1 : capacity) {}

void LineLog::Add(std::string line) {
    if (slots_.size() < capacity_) {
        slots_.push_back(std::move(line));
    } else {
        // Assigning into the oldest slot reuses its buffer when the new line fits.
        slots_[next_].assign(line);
    }
    next_ = (next_ + 1) % capacity_;
    if (size_ < capacity_) {
        ++size_;
    }
    ++added_;
}

void LineLog::Clear() {
    slots_.clear();
    next_ = 0;
    size_ = 0;
    ++clears_;
}

const std::string& LineLog::Line(std::size_t index) const {
    // While the ring fills, slots_ holds the lines oldest first and next_ is its size.
    return slots_[(next_ + capacity_ - 1 - index) % capacity_];
}
