#pragma once

#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>

// Every line the camera received and sent, in order, one per text line:
//   <seconds since start, 6 decimals> <recv|sent|note> <text>
// Texts are escaped (see EscapeText); a sent line is shown without its final CR LF. Each line
// is flushed at once, so that a test can read the file while the simulator runs. Without a
// file every call does nothing.
class Transcript {
public:
    using Clock = std::chrono::steady_clock;

    Transcript();
    ~Transcript();
    Transcript(const Transcript&) = delete;
    Transcript& operator=(const Transcript&) = delete;

    bool Open(const std::string& path, std::string& error);

    void Received(Clock::time_point when, std::string_view line);
    void Sent(Clock::time_point when, std::string_view bytes);
    void Note(Clock::time_point when, std::string_view text);

private:
    void Write(Clock::time_point when, const char* tag, std::string_view text);

    std::FILE* file_ = nullptr;
    Clock::time_point start_;
    bool failed_ = false;
};
