#include "core/WindowPlace.h"

#include <sstream>

namespace {

// No screen is larger; a value beyond it is no place a window could have had.
constexpr int32_t kLargest = 100000;

}  // namespace

std::string WindowPlace::ToText() const {
    std::ostringstream text;
    text << x << ',' << y << ',' << width << ',' << height << ',' << (maximised ? 1 : 0);
    if (dock != Dock::None) {
        text << ',' << static_cast<int32_t>(dock);
    }
    return text.str();
}

std::optional<WindowPlace> WindowPlace::FromText(const std::string& text) {
    std::istringstream in(text);
    long long numbers[6] = {};
    for (int i = 0; i < 6; ++i) {
        char comma = ',';
        if (i == 5 && (in >> std::ws).eof()) {
            break;  // a window's place: no dock
        }
        if ((i > 0 && !(in >> comma)) || comma != ',' || !(in >> numbers[i])) {
            return std::nullopt;
        }
    }
    in >> std::ws;
    if (!in.eof()) {
        return std::nullopt;
    }
    for (const long long number : numbers) {
        if (number < -kLargest || number > kLargest) {
            return std::nullopt;
        }
    }
    if (numbers[2] <= 0 || numbers[3] <= 0 || (numbers[4] != 0 && numbers[4] != 1) ||
        numbers[5] < 0 || numbers[5] > 2) {
        return std::nullopt;
    }
    return WindowPlace{static_cast<int32_t>(numbers[0]),
                       static_cast<int32_t>(numbers[1]),
                       static_cast<int32_t>(numbers[2]),
                       static_cast<int32_t>(numbers[3]),
                       numbers[4] == 1,
                       static_cast<Dock>(numbers[5])};
}
