#include "operations/MessageLog.h"

#include <utility>

std::string MessageLog::TimeStamp(std::chrono::system_clock::time_point time) {
    std::string stamp;
    stamp.reserve(kStampLength);
    AppendUtcTimeOfDay(stamp, time, '.');
    stamp += "  ";
    return stamp;
}

void MessageLog::Add(const std::string& text) {
    std::string line;
    line.reserve(kStampLength + text.size());
    AppendUtcTimeOfDay(line, std::chrono::system_clock::now(), '.');
    line += "  ";
    line += text;
    lines_.Add(std::move(line));
}
