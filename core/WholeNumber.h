#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// A whole decimal number and nothing else, as an operator, a file or a command line writes it:
// blanks around it, an optional sign, digits. Nothing for an empty text, any other character,
// or a number beyond 64 bits or the limits given.
std::optional<int64_t> WholeNumber(std::string_view text, int64_t minimum = INT64_MIN,
                                   int64_t maximum = INT64_MAX);
