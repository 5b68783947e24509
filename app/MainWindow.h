#pragma once

#include <QMainWindow>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/ParameterPage.h"
#include "core/WindowPlace.h"
#include "presenters/MainView.h"
#include "presenters/MainWindowLogic.h"
#include "widgets/OnlineStatusUpdater.h"

class CommunicationDialog;
class ProcessContext;
class QAction;
class QComboBox;
class QCloseEvent;
class QDockWidget;
class QKeyEvent;
class QLabel;
class QMenu;
class QMenuBar;
class QRegion;
class QScrollArea;
class QTabWidget;
class QTimer;
class TerminalDialog;

// The main window: a tab control with the parameter pages, the menu bar and the status strip.
// It shows what the logic tells it and hands every operator action to the logic. An ordinary
// top-level window, so that it has its own entry in the task bar and never blocks other programs.
class MainWindow : public QMainWindow, public OnlineStatusUpdater, public MainView {
    Q_OBJECT
public:
    explicit MainWindow(ProcessContext& context, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The window's start-up sequence, run once before it is shown.
    void Initialise();
    // Connects to the camera. Run once the window is on screen, so that the operator sees what
    // the program is waiting for.
    void ConnectAtStart();
    // A camera settings file given to the program: the operator compares it or loads it.
    void OpenGivenFile(const std::string& path);

    const std::vector<ParameterPage*>& Pages() const { return pages_; }
    QTabWidget* TabControl() const { return tabControl_; }
    QMenu* UtilityMenu() const { return utilityMenu_; }
    MainWindowLogic& Logic() { return logic_; }
    CommunicationDialog* Communication() const { return communication_; }
    // The dock that holds the communication dialog where the screen has no room for it beside
    // the pages; null while the dialog is a window of its own.
    QDockWidget* CommunicationDock() const { return communicationDock_; }
    TerminalDialog* Terminal() const { return terminal_; }

    // MainView
    WidgetClass ClassifyControl(int32_t id) override;
    std::string ControlText(int32_t id) override;
    void SetControlText(int32_t id, const std::string& text) override;
    int32_t SelectedIndex(int32_t listId) override;
    void SelectIndex(int32_t listId, int32_t index) override;
    int32_t ItemCount(int32_t listId) override;
    int32_t ItemData(int32_t listId, int32_t index) override;
    int32_t SpinPosition(int32_t spinId) override;
    void SetSpinPosition(int32_t spinId, int32_t position) override;
    bool GetSpinRange(int32_t spinId, int32_t& minimum, int32_t& maximum) override;
    void SetSpinRange(int32_t spinId, int32_t minimum, int32_t maximum) override;
    int32_t SpinOf(int32_t editId) override;
    int32_t BuddyOf(int32_t spinId) override;
    void EnableControl(int32_t id, bool enable) override;
    void ShowControl(int32_t id, bool visible) override;
    void Activate() override;
    void RebuildTabs() override;
    void EnableUtilityMenu(bool enable) override;
    void ApplyControlMode() override;
    void EndProgram() override;
    void ShowLutEditor(bool show) override;
    void ShowBaudIndex(int32_t index) override;
    void ShowTerminal() override;
    void ShowCommunicationDialog() override;

public slots:
    // Close box, Exit and Escape: the window closes only when the logic agrees.
    void reject();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildMenu(QMenuBar* menuBar);
    // File > Recent Files, from the kept list; grey while it is empty.
    void FillRecentFiles(QMenu* menu);
    // The size that shows the fullest page whole, or as much as the screen holds.
    void FitToScreen();
    // Beside the main window where the screen has room, else over it; whole on the screen.
    // True when the place covers none of the page's controls.
    bool PlaceCommunicationDialog();
    // Puts the communication dialog into a dock at the window's right side, docked or floated
    // out at the kept place.
    void DockCommunicationDialog(const std::optional<WindowPlace>& place);
    // The communication dialog's place to keep, in its window or its dock.
    WindowPlace CommunicationPlace() const;
    // The part of the screen the operator reads: the shown page's controls and the status line.
    QRegion ReadOnScreen() const;
    // The place a window had when the last run ended; nothing when none was kept.
    std::optional<WindowPlace> StoredPlace(int settingIndex);
    // Keeps the places of the window and the communication dialog for the next run.
    void StorePlaces();
    // FindControl: the pages in page order, the first that has the id wins; then the window's
    // own controls.
    const PageControl* Find(int32_t id) const;
    // The control that a widget belongs to (the list of a drop-down, the numeric edit of its
    // inner line edit), with its id; null when none.
    const PageControl* ControlOf(QWidget* widget, int32_t& id) const;
    // The list whose open drop-down the widget is part of; null when it is none.
    QComboBox* OpenListOf(QWidget* widget) const;
    // Whether the widget is part of this window: its controls and the drop-downs of its lists.
    bool IsOwnWidget(const QWidget* widget) const;
    // The key handling before anything else sees the key; true when the key is used up.
    bool FilterKeyDown(QKeyEvent* key, QWidget* receiver);
    // The key of the Undo or Redo menu item.
    bool IsUndoOrRedo(const QKeyEvent* key) const;
    // A key on a closed page list that would choose an item without the operator seeing the
    // list: true when it was taken here.
    bool BrowseClosedList(QKeyEvent* key, QWidget* receiver);
    // Runs one handler of the logic, for an operator action or a start-up step.
    template <typename Handler>
    void RunLogic(Handler&& handler);
    void OnControlEvent(const ControlAction& action);

    ProcessContext& context_;
    std::vector<ParameterPage*> pages_;
    // The scroll area of each page, in page order: what its tab shows.
    std::vector<QScrollArea*> pageAreas_;
    std::map<int32_t, PageControl> ownControls_;
    QTabWidget* tabControl_ = nullptr;
    QLabel* statusPicture_ = nullptr;
    QMenu* utilityMenu_ = nullptr;
    // Settings > Undo change, Redo change.
    QAction* undoRedo_[2] = {nullptr, nullptr};
    QTimer* drainTimer_ = nullptr;
    // The windows it owns besides its pages; they go with it.
    CommunicationDialog* communication_ = nullptr;
    TerminalDialog* terminal_ = nullptr;
    QDockWidget* communicationDock_ = nullptr;
    bool communicationShown_ = false;
    // The window stands where the last run left it, not at its default place.
    bool placeRestored_ = false;
    // The key press last handled, while it travels on to the parents of its receiver.
    const QEvent* handledKeyPress_ = nullptr;
    bool handling_ = false;
    // Set once the logic has agreed to close (or ends the program itself): the close goes ahead
    // without another question.
    bool closeAgreed_ = false;
    MainWindowLogic logic_;
};
