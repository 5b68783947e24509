#pragma once

#include <string>

// Whether a comes before b when runs of digits count by their value: "ttyS2" before "ttyS10",
// "COM9" before "COM10". Otherwise byte by byte.
bool NaturalLess(const std::string& a, const std::string& b);
