#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Where a window stood and how large it was when the operator last closed it: the top left
// corner of its frame, the size inside the frame, and whether it filled the screen. Kept as a
// text of five numbers ("x,y,width,height,maximised"), readable in the settings file and the
// registry alike.
struct WindowPlace {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool maximised = false;

    std::string ToText() const;
    // Nothing when the text is not five whole numbers or the size is not a window's size: a
    // hand edit or another version's value leaves the window at its default place.
    static std::optional<WindowPlace> FromText(const std::string& text);
};
