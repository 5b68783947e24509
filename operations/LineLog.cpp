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

std::string StampedLine(std::chrono::system_clock::time_point time, char millisBefore,
                        const std::string& text) {
    // The system clock counts UTC from its epoch, so the time of day needs no calendar. Digits
    // by hand: every logged line takes a stamp, and a burst of lines must not wait on printf.
    const long long ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count();
    const int inDay = static_cast<int>(((ms % 86400000) + 86400000) % 86400000);
    const int hour = inDay / 3600000;
    const int minute = inDay / 60000 % 60;
    const int second = inDay / 1000 % 60;
    const int milli = inDay % 1000;
    const char stamp[] = {static_cast<char>('0' + hour / 10),
                          static_cast<char>('0' + hour % 10),
                          ':',
                          static_cast<char>('0' + minute / 10),
                          static_cast<char>('0' + minute % 10),
                          ':',
                          static_cast<char>('0' + second / 10),
                          static_cast<char>('0' + second % 10),
                          millisBefore,
                          static_cast<char>('0' + milli / 100),
                          static_cast<char>('0' + milli / 10 % 10),
                          static_cast<char>('0' + milli % 10),
                          ' ',
                          ' '};
    static_assert(sizeof stamp == kLogStampLength);
    std::string line;
    line.reserve(sizeof stamp + text.size());
    line.append(stamp, sizeof stamp);
    line += text;
    return line;
}
