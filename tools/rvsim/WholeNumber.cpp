#include "tools/rvsim/WholeNumber.h"

bool ParseWholeNumber(std::string_view text, int64_t minimum, int64_t maximum, int64_t& value) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // 18 digits cannot overflow 64 bits, and no limit used here needs more.
    if (text.empty() || text.size() > 18) {
        return false;
    }
    int64_t magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        magnitude = magnitude * 10 + (c - '0');
    }
    const int64_t parsed = negative ? -magnitude : magnitude;
    if (parsed < minimum || parsed > maximum) {
        return false;
    }
    value = parsed;
    return true;
}
