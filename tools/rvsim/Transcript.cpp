#include "tools/rvsim/Transcript.h"

#include <cerrno>
#include <cstring>

#include "tools/rvsim/TextEscape.h"

Transcript::Transcript() : start_(Clock::now()) {}

Transcript::~Transcript() {
    if (file_) {
        std::fclose(file_);
    }
}

bool Transcript::Open(const std::string& path, std::string& error) {
    file_ = std::fopen(path.c_str(), "w");
    if (!file_) {
        error = "cannot write transcript " + path + ": " + std::strerror(errno);
        return false;
    }
    start_ = Clock::now();
    return true;
}

void Transcript::Received(Clock::time_point when, std::string_view line) {
    Write(when, "recv", EscapeText(line));
}

void Transcript::Sent(Clock::time_point when, std::string_view bytes) {
    if (bytes.size() >= 2 && bytes.substr(bytes.size() - 2) == "\r\n") {
        bytes.remove_suffix(2);
    }
    Write(when, "sent", EscapeText(bytes));
}

void Transcript::Note(Clock::time_point when, std::string_view text) {
    Write(when, "note", text);
}

void Transcript::Write(Clock::time_point when, const char* tag, std::string_view text) {
    if (!file_ || failed_) {
        return;
    }
    const double seconds = std::chrono::duration<double>(when - start_).count();
    if (std::fprintf(file_, "%.6f %s %.*s\n", seconds, tag, static_cast<int>(text.size()),
                     text.data()) < 0 ||
        std::fflush(file_) != 0) {
        // A full disk must not stop the camera; say so once and carry on without it.
        std::fprintf(stderr, "rvsim: transcript can no longer be written: %s\n",
                     std::strerror(errno));
        failed_ = true;
    }
}
