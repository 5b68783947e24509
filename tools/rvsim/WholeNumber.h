#pragma once

#include <cstdint>
#include <string_view>

// A decimal whole number with an optional sign and nothing else around it, within the limits.
bool ParseWholeNumber(std::string_view text, int64_t minimum, int64_t maximum, int64_t& value);
