// Adding lines to the two protocol logs once they hold their cap, where every line added drops
// the oldest, and saving a full log:
//   log_bench [lines]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "operations/LineLog.h"
#include "operations/LogFileSaving.h"
#include "operations/MessageLog.h"
#include "operations/TerminalLog.h"
#include "platform/FileReplacement.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Lines as the engine logs them: a reply of a few characters.
std::string Reply(int i) {
    return "LUTD=" + std::to_string(i % 4096);
}

template <typename Add>
void Measure(const char* name, const LineLog& lines, int count, Add add) {
    for (std::size_t i = lines.Size(); i < lines.Capacity(); ++i) {
        add(Reply(static_cast<int>(i)));
    }
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < count; ++i) {
        add(Reply(i));
    }
    const double seconds = Seconds(start);
    std::printf("%-13s %d lines at its cap of %zu: %.1f ms, %.0f lines/s\n", name, count,
                lines.Capacity(), seconds * 1000, count / seconds);
}

void MeasureSave(const char* name, const LineLog& lines, bool newestFirst) {
    const std::string path = (std::filesystem::temp_directory_path() / "rv_log_bench.txt").string();
    const Clock::time_point start = Clock::now();
    const bool written = ReplaceFileContents(path, LogFileSaving::LogText(lines, newestFirst));
    const double seconds = Seconds(start);
    std::filesystem::remove(path);
    std::printf("%-13s saving %zu lines: %.1f ms%s\n", name, lines.Size(), seconds * 1000,
                written ? "" : " (failed)");
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    MessageLog messages;
    Measure("message log", messages.Lines(), count,
            [&](const std::string& line) { messages.Add(line); });
    TerminalLog terminal;
    Measure("terminal log", terminal.Lines(), count,
            [&](const std::string& line) { terminal.AddLine("Rx: " + line); });
    MeasureSave("message log", messages.Lines(), false);
    MeasureSave("terminal log", terminal.Lines(), true);
    return 0;
}
