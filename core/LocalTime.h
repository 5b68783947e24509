#pragma once

#include <chrono>
#include <ctime>

// The calendar time of a moment in this machine's time zone, as people read clocks here.
std::tm LocalTime(std::chrono::system_clock::time_point time);
