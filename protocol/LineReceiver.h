#pragma once

#include <array>
#include <string>

// Assembles received bytes into lines. A line ends with LF; a CR just before the LF belongs to
// the line end. 1024 bytes without a line end overflow the buffer and the partial line is lost.
class LineReceiver {
public:
    static constexpr int kBufferSize = 1024;

    enum class Result { Pending, Line, Overflow };

    // Takes one byte; on Line the completed line (up to any zero byte in it) is in `line`.
    Result Feed(char byte, std::string& line);
    void Clear() { writePosition_ = 0; }
    int WritePosition() const { return writePosition_; }

private:
    std::array<char, kBufferSize> buffer_{};
    int writePosition_ = 0;
};
