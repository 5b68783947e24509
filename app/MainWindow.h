#pragma once

#include <QDialog>

#include <vector>
#include "app/OnlineStatusUpdater.h"

class ParameterPage;
class ProcessContext;
class QLabel;
class QMenu;
class QMenuBar;
class QTabWidget;
class QTimer;

// The main window: a tab control with the parameter pages, the menu bar and the status strip.
class MainWindow : public QDialog, public OnlineStatusUpdater {
    Q_OBJECT
public:
    explicit MainWindow(ProcessContext& context, QWidget* parent = nullptr);

    // The window's start-up sequence, run once before it is shown.
    void Initialise();
    // Connects to the camera: the stored link first, then the baud-rate search. Run once the
    // window is on screen, so that the operator sees what the program is waiting for.
    void ConnectAtStart();

    // The tab strip for the control mode; the tab control itself shows the selected page.
    void RebuildTabs();
    void UpdateModeView();
    void ToggleControlMode();

    const std::vector<ParameterPage*>& Pages() const { return pages_; }
    QTabWidget* TabControl() const { return tabControl_; }
    QMenu* UtilityMenu() const { return utilityMenu_; }

    int CurrentArea = 0;
    int QuitWithoutConfirm = 0;

public slots:
    // Close box, Exit and Escape: asks before the window closes, unless after a camera reset.
    void reject() override;

private:
    void BuildMenu(QMenuBar* menuBar);

    ProcessContext& context_;
    std::vector<ParameterPage*> pages_;
    QTabWidget* tabControl_ = nullptr;
    QLabel* statusPicture_ = nullptr;
    QMenu* utilityMenu_ = nullptr;
    QTimer* drainTimer_ = nullptr;
};
