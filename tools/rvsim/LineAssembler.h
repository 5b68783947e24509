#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct ReceivedLine {
    std::string text;       // without its line end
    bool overlong = false;  // longer than the camera's line buffer; text holds its start only
};

// Collects received bytes into lines. A line ends with LF; a CR just before it is dropped.
class LineAssembler {
public:
    static constexpr std::size_t kMaxLineLength = 256;

    // Every line completed by these bytes; an unfinished line waits for the next call.
    std::vector<ReceivedLine> Feed(std::string_view bytes);

    // Forgets an unfinished line (the camera stops understanding the host).
    void Clear();

    std::size_t PendingBytes() const { return partial_.size(); }

private:
    std::string partial_;
    bool overlong_ = false;
};
