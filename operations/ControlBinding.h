#pragma once

#include <cstdint>

#include "operations/Parameters.h"

class MainView;
class ProcessContext;

// Binds the page controls to the control table: shows table values in the controls, and turns
// an operator's change of a control into one call of Parameters::Set, showing the previous
// value again when the camera refuses it.
class ControlBinding {
public:
    ControlBinding(ProcessContext& context, MainView& view);

    // The value a control shows: an edit's number (leading blanks skipped, up to the first
    // character that is not a digit, 0 without digits), a spin's position, a list's item data
    // (its position where the item carries 0); -1 when no control has the id.
    int32_t ReadControlValue(int32_t id);
    // Shows the value: an edit as "%d", a spin's position, in a list the first item carrying
    // the value (else the item at that position). False when no control shows values.
    bool ShowControlValue(int32_t id, int32_t value);

    // The table's value of the control, or "-" (an edit) or no item (a list) while the camera
    // has not told it.
    void ShowTableValue(int32_t id);
    // After a change: the value the camera holds when it was not taken, the rows read back with
    // it, and the outcome in the status line.
    void ShowResult(int32_t id, int32_t requested, const Parameters::Result& result);
    // The list shows the item of the value the camera holds: choosing it again sends nothing.
    bool ListUnchanged(int32_t listId);

    // What a control shows for a value the camera has not told.
    static constexpr const char* kUnknownText = "-";

    // Asks the camera for the control's value and shows it; the previous value stays, so the
    // new one counts as changed.
    int RefreshControl(int32_t id);
    void ShowAllValues();
    void ShowChangedValues();

    // The generic paths of an operator's change.
    void OnEditCommit(int32_t editId);
    void OnSpinDelta(int32_t spinId, int32_t delta);
    // The generic path of a list: the value of the selected item is sent.
    void CommitListSelection(int32_t listId);

    // Spin ranges from the table, for every numeric edit that has a spin.
    void SetSpinRanges();

private:
    ProcessContext& context_;
    MainView& view_;
};
