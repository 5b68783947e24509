#include "tools/rvctl/Console.h"

#include <cerrno>
#include <cstring>

namespace {

const char kOutput[] = "standard output";
const char kError[] = "standard error";

}  // namespace

void Console::WriteResults(const std::string& text) {
    std::lock_guard<std::mutex> hold(mutex_);
    if (quiet_) {
        return;
    }
    // Results may go to the same terminal as the bar.
    EndProgressLine();
    out_ << text << '\n';
    out_.flush();
    Check(out_, kOutput);
}

void Console::WriteMessage(const std::string& text) {
    std::lock_guard<std::mutex> hold(mutex_);
    if (quiet_) {
        heldMessages_.push_back(text);
        return;
    }
    WriteError(text, hold);
}

void Console::WriteError(const std::string& text) {
    std::lock_guard<std::mutex> hold(mutex_);
    // What was held came before the fault and may explain it.
    for (const std::string& held : heldMessages_) {
        WriteError(held, hold);
    }
    heldMessages_.clear();
    WriteError(text, hold);
}

void Console::Finish(int status) {
    std::lock_guard<std::mutex> hold(mutex_);
    if (status != 0) {
        for (const std::string& text : heldMessages_) {
            WriteError(text, hold);
        }
    }
    heldMessages_.clear();
}

void Console::WriteError(const std::string& text, const std::lock_guard<std::mutex>&) {
    out_.flush();
    Check(out_, kOutput);
    EndProgressLine();
    err_ << text << '\n';
    err_.flush();
    Check(err_, kError);
}

void Console::DrawProgress(const std::string& line) {
    std::lock_guard<std::mutex> hold(mutex_);
    if (quiet_) {
        return;
    }
    err_ << '\r' << line;
    // A shorter line must not leave the end of the longer one standing.
    if (line.size() < progressLength_) {
        err_ << std::string(progressLength_ - line.size(), ' ');
    }
    err_.flush();
    Check(err_, kError);
    progressLength_ = line.size();
    progressOpen_ = true;
}

void Console::EndProgress() {
    std::lock_guard<std::mutex> hold(mutex_);
    EndProgressLine();
}

bool Console::ResultsLost() {
    std::lock_guard<std::mutex> hold(mutex_);
    return !out_.good();
}

void Console::EndProgressLine() {
    if (progressOpen_) {
        err_ << '\n';
        err_.flush();
        Check(err_, kError);
        progressOpen_ = false;
        progressLength_ = 0;
    }
}

void Console::Check(std::ostream& stream, const char* name) {
    if (stream.good() || failed_) {
        return;
    }
    const int error = errno;
    failed_ = true;
    if (err_.good()) {
        err_ << "rvctl: writing to " << name << " failed: " << std::strerror(error) << '\n';
        err_.flush();
    }
}
