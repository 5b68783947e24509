#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Where a window stood and how large it was when the operator last closed it: the top left
// corner of its frame, the size inside the frame, whether it filled the screen, and for a panel
// that can sit in the main window, whether it sat there. Kept as a text of five numbers
// ("x,y,width,height,maximised"), a sixth for a panel out of its own window, readable in the
// settings file and the registry alike.
struct WindowPlace {
    // A window of its own; a panel docked in the main window; a docked panel floated out.
    enum class Dock : int32_t { None = 0, Docked = 1, Floating = 2 };

    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool maximised = false;
    Dock dock = Dock::None;

    std::string ToText() const;
    // Nothing when the text is not five (or six) whole numbers or the size is not a window's size:
    // a hand edit or another version's value leaves the window at its default place.
    static std::optional<WindowPlace> FromText(const std::string& text);
};
