#include "operations/TerminalLog.h"

#include <cstdarg>
#include <cstdio>

std::string TerminalLog::TimeStamp(std::chrono::system_clock::time_point time) {
    return StampedLine(time, ':', std::string());
}

void TerminalLog::AddLine(const std::string& text) {
    lines_.Add(StampedLine(std::chrono::system_clock::now(), ':', text));
}

void TerminalLog::AddFormatted(const char* format, ...) {
    char text[256];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    AddLine(text);
}
