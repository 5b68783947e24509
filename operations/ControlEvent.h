#pragma once

#include <cstdint>

// The kind of an operator action on a page control, as the binding sees it.
enum class ControlEvent : int32_t {
    EditCommit = 0,   // Enter in an edit, or the edit lost the focus
    ComboSelect = 1,  // an item of a list was chosen
    SpinDelta = 2,    // a spin was stepped
    PushClick = 4,
    MenuCommand = 6,
};
