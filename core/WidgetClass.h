#pragma once

#include <cstdint>

// The kind of a page control as the binding sees it; None when no control has the id.
enum class WidgetClass : int32_t {
    None = 0,
    Edit = 1,
    UpDown = 2,
    ComboBox = 3,
    PushButton = 5,
};
