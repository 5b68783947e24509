#include "operations/TerminalLog.h"

#include <cstdarg>
#include <cstdio>
#include <utility>

std::string TerminalLog::TimeStamp(std::chrono::system_clock::time_point time) {
    std::string stamp;
    stamp.reserve(kStampLength);
    AppendUtcTimeOfDay(stamp, time, ':');
    stamp += "  ";
    return stamp;
}

void TerminalLog::AddLine(const std::string& text) {
    std::string line;
    line.reserve(kStampLength + text.size());
    AppendUtcTimeOfDay(line, std::chrono::system_clock::now(), ':');
    line += "  ";
    line += text;
    lines_.Add(std::move(line));
}

void TerminalLog::AddFormatted(const char* format, ...) {
    char text[256];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    AddLine(text);
}
