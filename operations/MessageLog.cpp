#include "operations/MessageLog.h"

std::string MessageLog::TimeStamp(std::chrono::system_clock::time_point time) {
    return StampedLine(time, '.', std::string());
}

void MessageLog::Add(const std::string& text) {
    lines_.Add(StampedLine(std::chrono::system_clock::now(), '.', text));
}
