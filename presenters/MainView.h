#pragma once

#include <cstdint>
#include <string>

#include "core/OperatorWindow.h"
#include "core/WidgetClass.h"

// The main window as the flows below the widgets see it: the controls of its pages by control
// id, the tabs and menu that follow the control mode, and the windows it owns. rvtool's main
// window implements it; the flows run the same on any other implementation.
//
// A numeric edit and its spin are two ids (the spin's buddy is the edit). Static texts have
// the class None but still take SetControlText. Calls for an id that no control has do nothing
// and read as empty, -1 or false. No call here sends anything to the camera or calls back into
// the flows: changing what a control shows never counts as an operator action.
class MainView : public OperatorWindow {
public:
    virtual WidgetClass ClassifyControl(int32_t id) = 0;

    virtual std::string ControlText(int32_t id) = 0;
    virtual void SetControlText(int32_t id, const std::string& text) = 0;

    // Lists: the selected item's position (-1 for none) and the items' data (0 where an item
    // carries none). Selecting a position outside the list selects nothing.
    virtual int32_t SelectedIndex(int32_t listId) = 0;
    virtual void SelectIndex(int32_t listId, int32_t index) = 0;
    virtual int32_t ItemCount(int32_t listId) = 0;
    virtual int32_t ItemData(int32_t listId, int32_t index) = 0;

    // Spins. A spin reads its buddy as it is asked: while the buddy shows a whole number inside
    // the range, that number is the position. Setting the position shows it in the buddy.
    virtual int32_t SpinPosition(int32_t spinId) = 0;
    virtual void SetSpinPosition(int32_t spinId, int32_t position) = 0;
    virtual bool GetSpinRange(int32_t spinId, int32_t& minimum, int32_t& maximum) = 0;
    virtual void SetSpinRange(int32_t spinId, int32_t minimum, int32_t maximum) = 0;
    // The spin of an edit and the edit of a spin; 0 when there is none.
    virtual int32_t SpinOf(int32_t editId) = 0;
    virtual int32_t BuddyOf(int32_t spinId) = 0;

    virtual void EnableControl(int32_t id, bool enable) = 0;
    virtual void ShowControl(int32_t id, bool visible) = 0;

    // Makes the main window active again after a long operation.
    virtual void Activate() = 0;

    // The tab strip for the control mode: "Factory A" only in factory mode; "User A" selected.
    virtual void RebuildTabs() = 0;
    virtual void EnableUtilityMenu(bool enable) = 0;
    // The communication dialog follows the control mode.
    virtual void ApplyControlMode() = 0;

    // Ends the program as a close would, without asking (after a camera reset).
    virtual void EndProgram() = 0;

    // The windows the main window owns.
    virtual void ShowLutEditor(bool show) = 0;
    virtual void ShowBaudIndex(int32_t index) = 0;  // the communication dialog's baud list
    virtual void ShowTerminal() = 0;
    virtual void ShowCommunicationDialog() = 0;
};
