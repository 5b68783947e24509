#pragma once

#include <cstdint>
#include <string>

// The kind of an operator action on a page control, as the binding sees it.
enum class ControlEvent : int32_t {
    EditCommit = 0,   // Enter in an edit, or the edit lost the focus
    ComboSelect = 1,  // an item of a list was chosen
    SpinDelta = 2,    // a spin was stepped
    PushClick = 4,
    MenuCommand = 6,
};

// An operator action on a page control with the value it carries down: the text typed into an
// edit, the value of the list item chosen, the steps of a spin. Nothing below reads it back
// from the window.
struct ControlAction {
    ControlEvent event = ControlEvent::PushClick;
    int32_t id = 0;      // the control; for a spin step, the edit it steps
    int64_t number = 0;  // ComboSelect: the chosen item's value; SpinDelta: the steps
    std::string text;    // EditCommit: the text typed; SpinDelta: the text the edit shows
};
