#include "operations/TerminalLog.h"

#include <cstdarg>
#include <cstdio>

std::string TerminalLog::TimeStamp(std::chrono::system_clock::time_point time) {
    // The system clock counts UTC from its epoch, so no calendar is needed for the minute,
    // second and millisecond.
    const long long ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count();
    const long long inDay = ((ms % 86400000) + 86400000) % 86400000;
    char stamp[16];
    std::snprintf(stamp, sizeof stamp, "%02d:%02d:%03d  ", static_cast<int>(inDay / 60000 % 60),
                  static_cast<int>(inDay / 1000 % 60), static_cast<int>(inDay % 1000));
    return stamp;
}

void TerminalLog::AddLine(const std::string& text) {
    std::string line = TimeStamp(std::chrono::system_clock::now());
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
