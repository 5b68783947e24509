#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "presenters/ControlBinding.h"
#include "presenters/ControlEvent.h"
#include "presenters/ControlModeKeySequence.h"
#include "presenters/PageHandlers.h"

class MainView;
class ProcessContext;

// The two ways of opening a settings file given to the program.
inline constexpr const char* kCompareGivenFile = "Compare with the camera";
inline constexpr const char* kLoadGivenFile = "Load into the camera";

// What the main window does, without its widgets: the start-up steps, every operator action on
// the pages and the menu, the control mode and the close question. The window forwards each
// action here and shows what the flows tell its MainView; rvctl and the tests run the same.
class MainWindowLogic {
public:
    MainWindowLogic(ProcessContext& context, MainView& view);

    // Once the window and its pages exist: spin ranges from the table, all values shown, the
    // tabs, menu and table for the control mode.
    void Initialise();
    // Opens the stored link, asks for the model and the current area, searches the baud rate
    // when nobody answered, and reads the camera when one did.
    void ConnectAtStart();
    // A camera settings file given to the program (opened from the file manager): the operator
    // chooses to compare it with the camera or to load it into the camera, or neither.
    void OpenGivenFile(const std::string& path);
    // File > Recent Files: the settings files last used, newest first, and opening one as
    // File > Open does.
    std::vector<std::string> RecentFiles();
    void OpenRecentFile(const std::string& path);

    // An operator action on a page control, with the value it carries.
    void DispatchControlEvent(const ControlAction& action);
    void OnMenuCommand(int32_t menuId);
    // Every key-down of the main window, its pages and their controls, before anything else
    // handles it (Windows key codes; the modifiers held at that moment). A completed Control
    // Mode sequence toggles the mode.
    void OnKeyDown(SequenceKey key, bool shift, bool ctrl);

    // What Undo or Redo would send, for its menu item: "GA=100"; empty when there is nothing.
    std::string NextReplay(bool undo);

    void ToggleControlMode();
    void UpdateModeView();

    // The close box, "E&xit" and Escape: true when the window may close (asks first, except
    // after a camera reset; the question names the changes not stored to flash).
    bool ConfirmClose();
    // The window's periodic tick between actions: watches the link and reads the camera again
    // when a device that went away is back.
    void OnTimer();
    // The window is going: the link is closed.
    void OnDestroy();

    ControlBinding& Binding() { return binding_; }

    // The flash area last reported by the camera or chosen by the operator.
    int32_t CurrentArea = 0;
    // Set by a camera reset, so that the close that follows asks nothing.
    bool QuitWithoutConfirm = false;
    // Where Help > User Guide looks for the guide, first found first: the window tells.
    std::vector<std::string> UserGuidePlaces;

private:
    void OnComboSelect(int32_t id, int64_t value);
    void OnPushClick(int32_t id);
    void ShowXmlVersion();
    // Undo or redo of the operator's last page change, shown as a change is.
    void Replay(bool undo);
    void RunCalibration(int32_t buttonId);

    ProcessContext& context_;
    MainView& view_;
    ControlBinding binding_;
    PageHandlers handlers_;
    ControlModeKeySequence keySequence_;
};
