#include "core/LeadingNumber.h"

#include <algorithm>
#include <cstdlib>

int32_t LeadingNumber(const std::string& text) {
    // long long holds every int32_t and saturates itself on longer digit runs.
    const long long number = std::strtoll(text.c_str(), nullptr, 10);
    return static_cast<int32_t>(std::clamp<long long>(number, INT32_MIN, INT32_MAX));
}
