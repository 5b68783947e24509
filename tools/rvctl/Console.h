#pragma once

#include <mutex>
#include <ostream>
#include <string>
#include <vector>

// The program's two streams, shared by the threads of all cameras: results on the output,
// messages and the progress bar on the error stream. Every write is whole and in order, and
// checked: a stream that refuses one (a full disk, a closed descriptor) is told once on the
// error stream while that still takes it, and keeps its failed state for the exit status.
class Console {
public:
    Console(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // Each ends with a line break; text may hold several lines.
    void WriteResults(const std::string& text);
    void WriteMessage(const std::string& text);
    // rvctl's own word on a fault: written even when quiet.
    void WriteError(const std::string& text);

    // From now on results are dropped and messages held, so that a run that succeeds writes
    // nothing at all (cron mails only faults).
    void BeQuiet() { quiet_ = true; }
    bool Quiet() const { return quiet_; }
    // The end of the run: a quiet run that failed tells the messages it held, which explain the
    // fault.
    void Finish(int status);
    // Redraws the progress line in place; a message or the end of the bar moves past it.
    void DrawProgress(const std::string& line);
    void EndProgress();
    // Whether the results' stream refused a write: a full disk, or a reader that went away.
    bool ResultsLost();

private:
    // Under the lock.
    void WriteError(const std::string& text, const std::lock_guard<std::mutex>& hold);
    void EndProgressLine();
    // After each write: a failed one is told once.
    void Check(std::ostream& stream, const char* name);

    std::mutex mutex_;
    std::ostream& out_;
    std::ostream& err_;
    bool progressOpen_ = false;
    std::size_t progressLength_ = 0;
    bool failed_ = false;
    bool quiet_ = false;
    std::vector<std::string> heldMessages_;
};
