#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A bounded log of text lines, newest first. Once it holds its capacity, each new line takes
// the place of the oldest, in constant time and without allocating when lines keep their
// length. Views keep up by counting: AddedCount and ClearCount tell what changed since they
// last looked.
class LineLog {
public:
    explicit LineLog(std::size_t capacity);

    void Add(std::string line);
    void Clear();

    std::size_t Size() const { return size_; }
    std::size_t Capacity() const { return capacity_; }
    // Line 0 is the newest, Size() - 1 the oldest.
    const std::string& Line(std::size_t index) const;

    // Lines added since the log was made, including those dropped or cleared since.
    uint64_t AddedCount() const { return added_; }
    uint64_t ClearCount() const { return clears_; }

private:
    std::size_t capacity_;
    std::vector<std::string> slots_;  // a ring; grows to the capacity, then is reused
    std::size_t next_ = 0;            // the slot the next line goes to
    std::size_t size_ = 0;
    uint64_t added_ = 0;
    uint64_t clears_ = 0;
};

// A log's line: the UTC time of day it was logged, "HH:MM:SS", then millisBefore and the
// milliseconds, two blanks and the text ("12:34:05.007  GA=400" or "12:34:05:007  GA=400").
std::string StampedLine(std::chrono::system_clock::time_point time, char millisBefore,
                        const std::string& text);
inline constexpr std::size_t kLogStampLength = 14;  // "12:34:05.007  "
