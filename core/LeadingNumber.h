#pragma once

#include <cstdint>
#include <string>

// The whole number a text starts with, as the camera, the pages and stored settings mean it:
// leading blanks skipped, an optional sign, then decimal digits up to the first other
// character. No digits give 0; a number beyond 32 bits is clamped to the nearest end rather
// than wrapped, on every system.
int32_t LeadingNumber(const std::string& text);
