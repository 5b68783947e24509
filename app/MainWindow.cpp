#include "app/MainWindow.h"

#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "app/DialogRegistry.h"
#include "app/ParameterPage.h"
#include "app/ProgressDialog.h"
#include "app/StatusStrip.h"
#include "controls/ControlTable.h"
#include "core/ControlMode.h"
#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "core/SettingsStore.h"
#include "operations/CameraConnection.h"
#include "protocol/Command.h"

namespace {
const char kCaption[] = "RV-2410/4820-TCL Control Tool";
const char kVersion[] = "0.20";
}  // namespace

MainWindow::MainWindow(ProcessContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName("MainWindow");
    setWindowIcon(QIcon(":/icons/application.png"));

    auto* layout = new QVBoxLayout(this);
    auto* menuBar = new QMenuBar(this);
    layout->setMenuBar(menuBar);
    BuildMenu(menuBar);

    tabControl_ = new QTabWidget(this);
    tabControl_->setObjectName("1089");
    layout->addWidget(tabControl_, 1);

    statusPicture_ = new QLabel(this);
    statusPicture_->setObjectName("1069");
    SetStatusPicture(statusPicture_);
    layout->addWidget(statusPicture_);

    pages_.push_back(new ParameterPage(this, 111, "User A", false));
    pages_.push_back(new ParameterPage(this, 112, "User B", false));
    pages_.push_back(new ParameterPage(this, 117, "Factory A", true));

    // The process-wide objects are destroyed in reverse order of creation, and their exit-time
    // saves follow: the link settings, then the control mode, and last of all the store's
    // mark that the run ended normally.
    context_.Get<SettingsStore>();
    context_.Get<Command>();
    context_.Get<ControlMode>();
    // The link of a run that did not end normally is not trusted.
    CameraConnection::ApplyPreviousShutdown(context_);

    CurrentArea = 0;
    QuitWithoutConfirm = 0;
    context_.Get<ControlTable>().UpdatePrevDataValues();

    resize(960, 680);
}

void MainWindow::BuildMenu(QMenuBar* menuBar) {
    QMenu* file = menuBar->addMenu("File(&F)");
    QMenu* saveAs = new QMenu("&Save as", file);
    file->addAction("&Open")->setEnabled(false);
    saveAs->addAction("All Data")->setEnabled(false);
    saveAs->addAction("Shipping Data")->setEnabled(false);
    file->addMenu(saveAs);
    file->addSeparator();
    connect(file->addAction("E&xit"), &QAction::triggered, this, &MainWindow::reject);

    QMenu* settings = menuBar->addMenu("Settings(&S)");
    settings->addAction("&Reload")->setEnabled(false);
    settings->addAction("&Load settings")->setEnabled(false);
    settings->addAction("&Store settings")->setEnabled(false);

    utilityMenu_ = menuBar->addMenu("Utility(&U)");
    utilityMenu_->addAction("Edit user id")->setEnabled(false);
    utilityMenu_->addAction("Edit camera id")->setEnabled(false);

    QMenu* lut = menuBar->addMenu("LUT(&L)");
    lut->addAction("&Open LUT file")->setEnabled(false);
    lut->addAction("&Save LUT file")->setEnabled(false);
    lut->addAction("&Load all LUT table")->setEnabled(false);

    QMenu* help = menuBar->addMenu("Help(&H)");
    help->addAction("&About this application")->setEnabled(false);
    help->addAction("&Open Communication Dialog")->setEnabled(false);
}

void MainWindow::Initialise() {
    context_.Get<StatusStrip>().Register(this);
    context_.Get<DialogRegistry>().Register(this);
    context_.Get<ProgressDialog>().SetMainWindow(this);
    setWindowTitle(QString("%1  Ver %2").arg(kCaption, kVersion));

    // Between requests the engine drains and logs whatever the camera sends.
    drainTimer_ = new QTimer(this);
    connect(drainTimer_, &QTimer::timeout, this, [this] { context_.Get<Command>().OnTimer(); });
    drainTimer_->start(Command::kDrainPeriodMs);

    UpdateModeView();
}

void MainWindow::ConnectAtStart() {
    int answered = CameraConnection::ConnectCamera(context_, CurrentArea);
    if (answered == 0) {
        answered = CameraConnection::SearchBaudRate(context_, nullptr);
    }
    context_.Get<ControlTable>().UpdatePrevDataValues();
}

void MainWindow::RebuildTabs() {
    const bool factoryMode = context_.Get<ControlMode>().IsFactory();
    const QSignalBlocker blocker(tabControl_);
    while (tabControl_->count() > 0) {
        tabControl_->removeTab(0);
    }
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        ParameterPage* page = pages_[i];
        if (factoryMode || !page->FactoryOnly()) {
            const int tab = tabControl_->addTab(page, page->Title());
            tabControl_->tabBar()->setTabData(tab, static_cast<int>(i));
        } else {
            page->setParent(this);
            page->hide();
        }
    }
    tabControl_->setCurrentIndex(0);
}

void MainWindow::UpdateModeView() {
    RebuildTabs();
    utilityMenu_->menuAction()->setEnabled(context_.Get<ControlMode>().IsFactory());
    ControlTable& table = context_.Get<ControlTable>();
    table.WriteChangedValues();
    table.UpdatePrevDataValues();
}

void MainWindow::ToggleControlMode() {
    context_.Get<ControlMode>().Toggle();
    UpdateModeView();
}

void MainWindow::reject() {
    if (QuitWithoutConfirm == 1 ||
        context_.Get<Notifier>().AskYesNo("Are you sure to terminate the Camera Control Tool ?",
                                          "Confirm")) {
        QDialog::reject();
    }
}
