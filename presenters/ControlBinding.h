#pragma once

#include <cstdint>
#include <string>

#include "operations/Parameters.h"

class MainView;
class ProcessContext;

// Binds the page controls to the parameters: shows what the camera told in the controls, and
// turns an operator's change, with the value it carries, into one call of Parameters::Set whose
// outcome it shows. It never reads a value back from the window.
class ControlBinding {
public:
    ControlBinding(ProcessContext& context, MainView& view);

    // Shows the value: an edit as "%d", a spin's position, in a list the item of the value.
    // False when no control shows values.
    bool ShowControlValue(int32_t id, int32_t value);

    // The camera's value of the control, or "-" (an edit) or no item (a list) while the camera
    // has not told it.
    void ShowTableValue(int32_t id);
    void ShowAllValues();
    // After a change: the camera's value of the control and of the rows read back with it, and
    // the outcome in the status line.
    void ShowResult(int32_t id, int64_t requested, const Parameters::Result& result);

    // What a control shows for a value the camera has not told.
    static constexpr const char* kUnknownText = "-";

    // Asks the camera for the control's value and shows it.
    int RefreshControl(int32_t id);

    // An operator's change of an edit (Enter, or the focus left it): the text as typed.
    Parameters::Result OnEditCommit(int32_t editId, const std::string& text);
    // The spin of an edit was stepped: from the camera's value, within the range.
    Parameters::Result OnSpinStep(int32_t editId, int32_t steps, const std::string& shownText);
    // An item was chosen in a list: its value.
    Parameters::Result OnListChoice(int32_t listId, int64_t value);

    // Spin ranges from the table, for every numeric edit that has a spin.
    void SetSpinRanges();

private:
    Parameters::Result Change(int32_t id, int64_t value);

    ProcessContext& context_;
    MainView& view_;
};
