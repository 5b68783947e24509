#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <istream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The lines of a stream, read on a thread of their own, so that a loop can go on with its
// work between lines whether they are typed or piped in. Line ends may be LF or CR LF.
class InputLines {
public:
    explicit InputLines(std::istream& in);
    // Waits for the end of the stream.
    ~InputLines();
    InputLines(const InputLines&) = delete;
    InputLines& operator=(const InputLines&) = delete;

    // The lines that came, waiting at most the time for the first.
    std::vector<std::string> Take(std::chrono::milliseconds wait);
    // The stream ended and every line was taken.
    bool Ended();

private:
    void Read();

    std::istream& in_;
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<std::string> lines_;
    bool ended_ = false;
    std::thread reader_;
};
