#include "tools/rvctl/Console.h"

void Console::WriteResults(const std::string& text) {
    std::lock_guard<std::mutex> hold(mutex_);
    // Results may go to the same terminal as the bar.
    EndProgressLine();
    out_ << text << '\n';
    out_.flush();
}

void Console::WriteMessage(const std::string& text) {
    std::lock_guard<std::mutex> hold(mutex_);
    out_.flush();
    EndProgressLine();
    err_ << text << '\n';
    err_.flush();
}

void Console::DrawProgress(const std::string& line) {
    std::lock_guard<std::mutex> hold(mutex_);
    err_ << '\r' << line;
    // A shorter line must not leave the end of the longer one standing.
    if (line.size() < progressLength_) {
        err_ << std::string(progressLength_ - line.size(), ' ');
    }
    err_.flush();
    progressLength_ = line.size();
    progressOpen_ = true;
}

void Console::EndProgress() {
    std::lock_guard<std::mutex> hold(mutex_);
    EndProgressLine();
}

void Console::EndProgressLine() {
    if (progressOpen_) {
        err_ << '\n';
        err_.flush();
        progressOpen_ = false;
        progressLength_ = 0;
    }
}
