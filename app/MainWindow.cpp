#include "app/MainWindow.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDockWidget>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRegion>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <utility>

#include "app/PageLayout.h"
#include "app/StatusLineBar.h"
#include "app/WindowStatusLine.h"
#include "controls/ControlIds.h"
#include "controls/ControlTable.h"
#include "core/ControlMode.h"
#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "core/SettingsStore.h"
#include "core/Version.h"
#include "core/WindowPlace.h"
#include "dialogs/CommunicationDialog.h"
#include "dialogs/LutEditor.h"
#include "dialogs/MonitorWindow.h"
#include "dialogs/TerminalDialog.h"
#include "operations/StartupOrder.h"
#include "protocol/CommandEngine.h"
#include "widgets/ContentScrollArea.h"
#include "widgets/DialogRegistry.h"
#include "widgets/OneActionAtATime.h"
#include "widgets/ProgressDialog.h"
#include "widgets/ScreenRoom.h"
#include "widgets/SpinEdit.h"
#include "widgets/StatusStrip.h"

namespace {

// The key as the control mode's key sequence tells keys apart.
SequenceKey KeyOfSequence(int key) {
    if (key == Qt::Key_F12) {
        return {SequenceKey::Kind::F12, 0};
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return {SequenceKey::Kind::Letter, static_cast<char>('A' + (key - Qt::Key_A))};
    }
    return {};
}

SpinEdit* AsSpinEdit(const PageControl* control) {
    return control != nullptr ? qobject_cast<SpinEdit*>(control->widget) : nullptr;
}

QComboBox* AsList(const PageControl* control) {
    return control != nullptr && control->widgetClass == WidgetClass::ComboBox
               ? qobject_cast<QComboBox*>(control->widget)
               : nullptr;
}

// An edit the operator can type into; what cannot be typed into commits nothing.
bool IsTypeable(const PageControl& control) {
    if (auto* spin = qobject_cast<SpinEdit*>(control.widget)) {
        return spin->IsEditEnabled();
    }
    auto* edit = qobject_cast<QLineEdit*>(control.widget);
    return edit != nullptr && !edit->isReadOnly();
}

// The list whose drop-down the widget is part of: a window of its own, owned by the list.
QComboBox* ListOfDropDown(const QWidget* widget) {
    const QWidget* window = widget->window();
    return window->windowType() == Qt::Popup ? qobject_cast<QComboBox*>(window->parentWidget())
                                             : nullptr;
}

}  // namespace

MainWindow::MainWindow(ProcessContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context), logic_(context, *this) {
    setObjectName("MainWindow");
    setWindowIcon(QIcon(":/icons/application.png"));

    auto* central = new QWidget(this);
    central->setObjectName("MainWindowContent");
    setCentralWidget(central);
    auto* layout = new QVBoxLayout(central);
    auto* menuBar = new QMenuBar(this);
    setMenuBar(menuBar);
    BuildMenu(menuBar);

    tabControl_ = new QTabWidget(this);
    tabControl_->setObjectName(
        QString::fromStdString(ControlIds::ObjectName(ControlIds::kTabControl)));
    layout->addWidget(tabControl_, 1);

    // The status strip: the online picture, then the status line. It is the window's status
    // bar, so that it spans the docked communication dialog too and its texts keep their room.
    statusPicture_ = new QLabel(this);
    statusPicture_->setObjectName(
        QString::fromStdString(ControlIds::ObjectName(ControlIds::kStatusPicture)));
    SetStatusPicture(statusPicture_);
    auto* statusLine = new StatusLineBar(this);
    context_.Get<WindowStatusLine>().Attach(statusLine);
    // In line with the pages' edge above it.
    statusLine->setContentsMargins(layout->contentsMargins().left(), 0,
                                   layout->contentsMargins().right(), 0);
    statusLine->insertWidget(0, statusPicture_);
    // First among the bar's children too, so that a screen reader reads it first, as it stands.
    statusPicture_->lower();
    setStatusBar(statusLine);

    ownControls_[ControlIds::kTabControl] = {tabControl_, WidgetClass::None, nullptr, 0};
    ownControls_[ControlIds::kStatusPicture] = {statusPicture_, WidgetClass::None, nullptr, 0};

    for (const PageLayout& pageLayout : PageLayouts()) {
        auto* page = new ParameterPage(this, pageLayout);
        // What the screen cannot hold of a page scrolls.
        auto* area = new ContentScrollArea(page, this);
        area->setObjectName(page->objectName() + "Area");
        area->hide();
        connect(page, &ParameterPage::controlEvent, this, &MainWindow::OnControlEvent);
        pages_.push_back(page);
        pageAreas_.push_back(area);
    }

    // Installed beside the program's share folder; in a build tree, the copy beside the program.
    // In each, the page before the Markdown, which a desktop without a browser still shows.
    const QDir program(QCoreApplication::applicationDirPath());
    logic_.UserGuidePlaces.clear();
    for (const QDir& folder :
         {QDir(QDir::cleanPath(program.filePath(RV_USER_GUIDE_FOLDER_FROM_PROGRAM))),
          QDir(program.filePath("docs"))}) {
        for (const char* name : {"user-guide.html", "user-guide.md"}) {
            logic_.UserGuidePlaces.push_back(folder.filePath(name).toStdString());
        }
    }

    CreateProcessObjectsInOrder(context_);
    communication_ = new CommunicationDialog(context_, *this, this);
    terminal_ = new TerminalDialog(context_, this);
    LutEditor::CreateLutEditors(context_, this);
    // Keys are looked at before the focused control or the dialog sees them.
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    // Whatever Qt reports while the window goes is no operator action.
    handling_ = true;
    try {
        logic_.OnDestroy();
    } catch (const std::exception& error) {
        qWarning("rvtool: closing the link failed: %s", error.what());
    }
    // The pages and dialogs go while the logic they report to is still there.
    delete terminal_;
    terminal_ = nullptr;
    delete communication_;
    communication_ = nullptr;
    for (ParameterPage* page : pages_) {
        delete page;
    }
    pages_.clear();
}

void MainWindow::BuildMenu(QMenuBar* menuBar) {
    const auto add = [this](QMenu* menu, const char* text, int32_t id,
                            const QKeySequence& shortcut = QKeySequence()) {
        QAction* action = menu->addAction(QString::fromUtf8(text));
        action->setData(id);
        action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this,
                [this, id] { RunLogic([this, id] { logic_.OnMenuCommand(id); }); });
        return action;
    };

    QMenu* file = menuBar->addMenu("File(&F)");
    add(file, "&Open", MenuIds::kOpenSettingsFile, QKeySequence(Qt::CTRL | Qt::Key_O));
    QMenu* recent = file->addMenu("Recent &Files");
    recent->setObjectName("RecentFiles");
    recent->setToolTipsVisible(true);
    connect(file, &QMenu::aboutToShow, this, [this, recent] { FillRecentFiles(recent); });
    QMenu* saveAs = file->addMenu("&Save as");
    add(saveAs, "All Data", MenuIds::kSaveAllData, QKeySequence(Qt::CTRL | Qt::Key_S));
    add(saveAs, "Shipping Data", MenuIds::kSaveShippingData);
    file->addSeparator();
    add(file, "&Compare with File...", MenuIds::kCompareWithFile);
    // Exit last, where every desktop program has it.
    file->addSeparator();
    QAction* exit = file->addAction("E&xit");
    exit->setData(MenuIds::kExit);
    connect(exit, &QAction::triggered, this, &MainWindow::reject);

    QMenu* settings = menuBar->addMenu("Settings(&S)");
    add(settings, "&Reload", MenuIds::kReload, QKeySequence(Qt::Key_F5));
    add(settings, "&Load settings", MenuIds::kLoadSettings);
    add(settings, "&Store settings", MenuIds::kStoreSettings);
    // Undo and redo send values to the camera, as the items above do.
    settings->addSeparator();
    undoRedo_[0] =
        add(settings, "&Undo change", MenuIds::kUndoChange, QKeySequence(Qt::CTRL | Qt::Key_Z));
    undoRedo_[1] = add(settings, "Re&do change", MenuIds::kRedoChange,
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    // The open menu names what each would send, and greys what has nothing to send. Closed,
    // both take their keys again, so that a key with nothing to send says so in the status line.
    connect(settings, &QMenu::aboutToShow, this, [this] {
        const char* const captions[2] = {"&Undo change", "Re&do change"};
        for (int i = 0; i < 2; ++i) {
            const std::string next = logic_.NextReplay(i == 0);
            undoRedo_[i]->setText(
                next.empty() ? captions[i]
                             : QString("%1 (%2)").arg(captions[i], QString::fromStdString(next)));
            undoRedo_[i]->setEnabled(!next.empty());
        }
    });
    connect(settings, &QMenu::aboutToHide, this, [this] {
        for (QAction* action : undoRedo_) {
            action->setEnabled(true);
        }
    });

    utilityMenu_ = menuBar->addMenu("Utility(&U)");
    add(utilityMenu_, "Edit user id", MenuIds::kEditUserId);
    add(utilityMenu_, "Edit camera id", MenuIds::kEditCameraId);

    QMenu* lut = menuBar->addMenu("LUT(&L)");
    add(lut, "&Open LUT file", MenuIds::kOpenLutFile);
    add(lut, "&Save LUT file", MenuIds::kSaveLutFile);
    add(lut, "&Load all LUT table", MenuIds::kLoadAllLutTables);

    QMenu* help = menuBar->addMenu("Help(&H)");
    add(help, "&User Guide", MenuIds::kUserGuide, QKeySequence(QKeySequence::HelpContents));
    add(help, "&About this application", MenuIds::kAbout);
    add(help, "&Open Communication Dialog", MenuIds::kOpenCommunicationDialog);
    // The temperature watched while the operator works; it waits while an action runs here.
    connect(help->addAction("&Monitor..."), &QAction::triggered, this, [this] {
        auto* monitor = findChild<MonitorWindow*>();
        if (monitor == nullptr) {
            monitor = new MonitorWindow(
                context_, [this] { return handling_; }, this);
        }
        monitor->show();
        monitor->raise();
        monitor->activateWindow();
    });
}

void MainWindow::FillRecentFiles(QMenu* menu) {
    menu->clear();
    const std::vector<std::string> files = logic_.RecentFiles();
    for (std::size_t i = 0; i < files.size(); ++i) {
        const QString path = QString::fromStdString(files[i]);
        const QString shown = menu->fontMetrics().elidedText(
            path, Qt::ElideMiddle, menu->fontMetrics().averageCharWidth() * 60);
        QAction* action =
            menu->addAction(QString("&%1 %2").arg(i + 1).arg(QString(shown).replace("&", "&&")));
        action->setToolTip(path);
        connect(action, &QAction::triggered, this, [this, file = files[i]] {
            RunLogic([this, &file] { logic_.OpenRecentFile(file); });
        });
    }
    menu->menuAction()->setEnabled(!files.empty());
}

bool MainWindow::IsUndoOrRedo(const QKeyEvent* key) const {
    const QKeySequence pressed(key->keyCombination());
    return pressed == undoRedo_[0]->shortcut() || pressed == undoRedo_[1]->shortcut();
}

void MainWindow::Initialise() {
    context_.Get<StatusStrip>().Register(this);
    context_.Get<DialogRegistry>().Register(this);
    context_.Get<ProgressDialog>().SetMainWindow(this);
    setWindowTitle(QString("%1  Ver %2").arg(kProductName, kProgramVersion));

    // Between requests the engine drains and logs whatever the camera sends.
    drainTimer_ = new QTimer(this);
    // Between actions the link is watched too, so that a device that comes back is used again.
    connect(drainTimer_, &QTimer::timeout, this, [this] {
        {
            const IdleLineScope idle(context_);
            context_.Get<CommandEngine>().OnTimer();
        }
        RunLogic([this] { logic_.OnTimer(); });
    });
    drainTimer_->start(CommandEngine::kDrainPeriodMs);

    // The terminal stays hidden; the communication dialog shows with the main window.
    communication_->Initialise();
    RunLogic([this] { logic_.Initialise(); });
    FitToScreen();
    // Where the operator left it last time, if that still makes sense on today's screens.
    if (const std::optional<WindowPlace> place = StoredPlace(kMainWindowPlace)) {
        ScreenRoom::Restore(this, *place);
        placeRestored_ = true;
    }
}

std::optional<WindowPlace> MainWindow::StoredPlace(int settingIndex) {
    std::string text;
    if (!context_.Get<SettingsStore>().ReadText(settingIndex, text)) {
        return std::nullopt;
    }
    return WindowPlace::FromText(text);
}

void MainWindow::StorePlaces() {
    SettingsStore& settings = context_.Get<SettingsStore>();
    settings.WriteText(kMainWindowPlace, ScreenRoom::PlaceOf(this).ToText());
    if (communicationShown_) {
        settings.WriteText(kCommunicationDialogPlace, CommunicationPlace().ToText());
    }
}

WindowPlace MainWindow::CommunicationPlace() const {
    if (communicationDock_ == nullptr) {
        return ScreenRoom::PlaceOf(communication_);
    }
    if (communicationDock_->isFloating()) {
        WindowPlace place = ScreenRoom::PlaceOf(communicationDock_);
        place.dock = WindowPlace::Dock::Floating;
        return place;
    }
    // Docked, only its width means anything.
    return {0,
            0,
            std::max(communicationDock_->width(), 1),
            std::max(communicationDock_->height(), 1),
            false,
            WindowPlace::Dock::Docked};
}

void MainWindow::FitToScreen() {
    // The fullest page with a little room to spare, so that no caption sits tight in its button.
    const QSize fitting = sizeHint();
    // Where the pages scroll, room for the scroll bar beside them.
    resize(ScreenRoom::FitScrolling(this, QSize(fitting.width() * 11 / 10, fitting.height())));
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    closeAgreed_ = false;
    if (communicationShown_) {
        return;
    }
    communicationShown_ = true;
    // Now that the window has its screen and frame: whole on that screen.
    if (!placeRestored_) {
        FitToScreen();
        move(ScreenRoom::Keep(this, pos()));
    }
    // Where the operator left it; else beside the pages, or docked where the screen has no room
    // beside them.
    const std::optional<WindowPlace> place = StoredPlace(kCommunicationDialogPlace);
    if (place ? place->dock != WindowPlace::Dock::None : !PlaceCommunicationDialog()) {
        DockCommunicationDialog(place);
        return;
    }
    if (place) {
        ScreenRoom::Restore(communication_, *place);
    }
    // The main window keeps the focus.
    communication_->setAttribute(Qt::WA_ShowWithoutActivating, true);
    communication_->show();
    communication_->setAttribute(Qt::WA_ShowWithoutActivating, false);
    // The main window reaches the screen after this event, on top of what is there; the dialog
    // goes above it once it has, where a window manager would not keep it there by itself.
    QTimer::singleShot(0, communication_, [dialog = communication_] { dialog->raise(); });
}

void MainWindow::DockCommunicationDialog(const std::optional<WindowPlace>& place) {
    // Where it would stand in its own window: the least of the pages covered.
    const QRect alone(communication_->pos(), communication_->size());
    communicationDock_ = new QDockWidget(communication_->windowTitle(), this);
    communicationDock_->setObjectName("CommunicationDock");
    communicationDock_->setAllowedAreas(Qt::RightDockWidgetArea);
    communicationDock_->setFeatures(QDockWidget::DockWidgetClosable |
                                    QDockWidget::DockWidgetFloatable);
    // A panel of the window now: its place in the window, its keys those of the window.
    communication_->setWindowFlags(Qt::Widget);
    communicationDock_->setWidget(communication_);
    communication_->show();
    // Closing the dialog (Escape) closes its dock; the dialog stays shown inside it for the next
    // time the dock opens.
    connect(communication_, &QDialog::finished, this, [this] {
        communication_->show();
        communicationDock_->close();
    });
    addDockWidget(Qt::RightDockWidgetArea, communicationDock_);
    // A screen too narrow for the pages beside it (a small one, enlarged): floated out over
    // them, as its window would stand, to be docked when the operator wants.
    int pagesWidth = 0;
    for (const ParameterPage* page : pages_) {
        pagesWidth = std::max(pagesWidth, page->StackedWidth());
    }
    // The page with its scroll bar, in its tab, in the window.
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int around = width() - pageAreas_[0]->viewport()->width();
    // The dialog as narrow as its controls allow, in its dock.
    const int dialogWidth = communication_->NarrowestWidth() +
                            communicationDock_->sizeHint().width() -
                            communication_->sizeHint().width();
    const int room = ScreenRoom::Room(this).width();
    const int pagesRoom = pagesWidth + scrollBar + around +
                          style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, this);
    const bool narrow = pagesRoom + dialogWidth > room;
    const bool floating = narrow || (place && place->dock == WindowPlace::Dock::Floating);
    if (floating) {
        communicationDock_->setFloating(true);
        if (place && place->dock == WindowPlace::Dock::Floating) {
            ScreenRoom::Restore(communicationDock_, *place);
        } else {
            communicationDock_->resize(ScreenRoom::Fit(communicationDock_, alone.size()));
            communicationDock_->move(ScreenRoom::Keep(communicationDock_, alone.topLeft()));
        }
    }
    communicationDock_->show();
    if (floating) {
        // Above the main window once that reaches the screen, as the dialog's own window goes.
        QTimer::singleShot(0, communicationDock_, [dock = communicationDock_] { dock->raise(); });
        return;
    }
    // Never so narrow that its controls are cut.
    communication_->setMinimumWidth(communication_->NarrowestWidth());
    // Room for the pages beside the dock, as far as the screen has it; the pages narrowed go
    // one column below the other and take the screen's height.
    if (!placeRestored_) {
        FitToScreen();
        resize(ScreenRoom::Fit(this, QSize(width(), QWIDGETSIZE_MAX)));
        move(ScreenRoom::Keep(this, pos()));
    }
    // As wide as the operator left it or as it wants, leaving the pages their least width.
    const int wanted = place ? place->width : communicationDock_->sizeHint().width();
    resizeDocks({communicationDock_},
                {std::max(dialogWidth, std::min(wanted, width() - pagesRoom))}, Qt::Horizontal);
}

QRegion MainWindow::ReadOnScreen() const {
    // The shown page's boxes, as far as its scroll area shows them, and the status line, which
    // tells the link and the mode.
    QRegion controls(QRect(statusBar()->mapTo(this, QPoint()), statusBar()->size()));
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        const QScrollArea* area = pageAreas_[i];
        if (!area->isVisibleTo(this) || !pages_[i]->isVisibleTo(this)) {
            continue;
        }
        const QRect shown(area->viewport()->mapTo(this, QPoint()), area->viewport()->size());
        for (const QWidget* box :
             pages_[i]->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (box->isVisibleTo(pages_[i])) {
                controls += QRect(box->mapTo(this, QPoint()), box->size()).intersected(shown);
            }
        }
    }
    return controls.translated(geometry().topLeft());
}

bool MainWindow::PlaceCommunicationDialog() {
    // Where its contents scroll, room for the scroll bar beside them, so that its groups stay
    // side by side.
    communication_->resize(ScreenRoom::FitScrolling(communication_, communication_->size()));
    const QRect area = ScreenRoom::Available(this);
    const QMargins frame = ScreenRoom::Frame(communication_);
    const QSize size = communication_->size().grownBy(frame);
    const QRect main = geometry().marginsAdded(ScreenRoom::Frame(this));
    const QRegion controls = ReadOnScreen();
    const int gap = 8;
    // Beside the main window, else below it; where neither has room, the place that covers the
    // least of the page's controls, then of the window.
    const QPoint wanted[] = {
        {main.right() + 1 + gap, main.top()},
        {main.left() - gap - size.width(), main.top()},
        {main.left(), main.bottom() + 1 + gap},
        {main.right() + 1 - size.width(), main.bottom() + 1 + gap},
        {main.right() + 1 - size.width(), area.bottom() + 1 - size.height()},
        {main.left(), area.bottom() + 1 - size.height()},
        {main.right() + 1 - size.width(), main.top() + frame.top()},
        {main.left(), main.top() + frame.top()},
        {area.right() + 1 - size.width(), area.bottom() + 1 - size.height()},
        {area.left(), area.bottom() + 1 - size.height()},
        {area.right() + 1 - size.width(), area.top()},
    };
    const auto covered = [](const QRect& dialog, const QRegion& region) {
        qint64 pixels = 0;
        for (const QRect& part : region.intersected(dialog)) {
            pixels += qint64(part.width()) * part.height();
        }
        return pixels;
    };
    QPoint best;
    std::pair<qint64, qint64> least(-1, -1);
    for (const QPoint& place : wanted) {
        const QPoint kept = ScreenRoom::Keep(communication_, place);
        const QRect dialog(kept, size);
        const std::pair<qint64, qint64> cover(covered(dialog, controls),
                                              covered(dialog, QRegion(main)));
        if (least.first < 0 || cover < least) {
            least = cover;
            best = kept;
        }
    }
    communication_->move(best);
    return least.first == 0;
}

void MainWindow::ConnectAtStart() {
    RunLogic([this] { logic_.ConnectAtStart(); });
    // The camera read, the window came forward; the dialog standing over it in a window of its
    // own comes forward once more, as it opened.
    QWidget* dialog =
        communicationDock_ != nullptr ? static_cast<QWidget*>(communicationDock_) : communication_;
    if (dialog->isWindow() && dialog->isVisible()) {
        dialog->raise();
    }
}

void MainWindow::OpenGivenFile(const std::string& path) {
    RunLogic([this, &path] { logic_.OpenGivenFile(path); });
}

template <typename Handler>
void MainWindow::RunLogic(Handler&& handler) {
    RunOneActionAtATime(handling_, handler);
}

void MainWindow::OnControlEvent(const ControlAction& action) {
    RunLogic([this, &action] { logic_.DispatchControlEvent(action); });
}

void MainWindow::reject() {
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!closeAgreed_) {
        RunLogic([this] { closeAgreed_ = logic_.ConfirmClose(); });
    }
    if (!closeAgreed_) {
        event->ignore();
        return;
    }
    StorePlaces();
    QMainWindow::closeEvent(event);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Escape that no control took asks to close the window, as the close box does.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        reject();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

// --- Key handling ---

bool MainWindow::IsOwnWidget(const QWidget* widget) const {
    const QComboBox* list = ListOfDropDown(widget);
    return widget->window() == this || (list != nullptr && list->window() == this);
}

QComboBox* MainWindow::OpenListOf(QWidget* widget) const {
    QComboBox* list = ListOfDropDown(widget);
    return list != nullptr && list->view()->isVisible() ? list : nullptr;
}

const PageControl* MainWindow::ControlOf(QWidget* widget, int32_t& id) const {
    for (QWidget* w = widget; w != nullptr && w != this; w = w->parentWidget()) {
        for (const ParameterPage* page : pages_) {
            if (const int32_t found = page->IdOf(w); found != 0) {
                id = found;
                return page->Find(found);
            }
        }
    }
    return nullptr;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride &&
        type != QEvent::KeyRelease) {
        return false;
    }
    auto* receiver = watched->isWidgetType() ? static_cast<QWidget*>(watched) : nullptr;
    if (type != QEvent::KeyPress) {
        handledKeyPress_ = nullptr;  // what comes next is another key press
        // An open list closes on Escape before the key press arrives; it is held back here so
        // that the key press can take the highlighted item instead.
        if (type == QEvent::ShortcutOverride && receiver != nullptr &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && IsOwnWidget(receiver) &&
            OpenListOf(receiver) != nullptr) {
            event->accept();
            return true;
        }
        // The edits would take Ctrl+Z for their own text; here it takes back a value the camera
        // holds, from wherever the focus is. Ignored here, the key goes on to the menu item.
        if (type == QEvent::ShortcutOverride && receiver != nullptr && IsOwnWidget(receiver) &&
            IsUndoOrRedo(static_cast<QKeyEvent*>(event))) {
            event->ignore();
            return true;
        }
        return false;
    }
    // Qt offers a key press that the receiver ignores to each of its parents in turn; the
    // filter runs once, for the receiver.
    if (event == handledKeyPress_ || receiver == nullptr || !IsOwnWidget(receiver)) {
        return false;
    }
    const bool used = FilterKeyDown(static_cast<QKeyEvent*>(event), receiver);
    handledKeyPress_ = event;
    if (used) {
        event->accept();
    }
    return used;
}

bool MainWindow::BrowseClosedList(QKeyEvent* key, QWidget* receiver) {
    auto* list = qobject_cast<QComboBox*>(receiver);
    int32_t id = 0;
    if (list == nullptr || ControlOf(receiver, id) == nullptr ||
        key->modifiers().testFlag(Qt::AltModifier) ||
        key->modifiers().testFlag(Qt::ControlModifier)) {
        return false;
    }
    // A closed list would send the next item at once: the arrows open it instead, and only an
    // item chosen there (Enter, a click) is sent. Typing a letter would choose an item too.
    switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            list->showPopup();
            return true;
        default:
            return !key->text().isEmpty() && key->text().at(0).isPrint() &&
                   key->key() != Qt::Key_Space;
    }
}

bool MainWindow::FilterKeyDown(QKeyEvent* key, QWidget* receiver) {
    const SequenceKey sequenceKey = KeyOfSequence(key->key());
    const bool shift = key->modifiers().testFlag(Qt::ShiftModifier);
    const bool ctrl = key->modifiers().testFlag(Qt::ControlModifier);
    RunLogic([this, sequenceKey, shift, ctrl] { logic_.OnKeyDown(sequenceKey, shift, ctrl); });
    if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && ctrl &&
        tabControl_->count() > 1) {
        // Ctrl+Tab turns the page from any control; a list would take it for a search.
        const int count = tabControl_->count();
        const int step = shift || key->key() == Qt::Key_Backtab ? count - 1 : 1;
        tabControl_->setCurrentIndex((tabControl_->currentIndex() + step) % count);
        return true;
    }
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool escape = key->key() == Qt::Key_Escape;
    if (!enter && !escape) {
        return BrowseClosedList(key, receiver);
    }
    int32_t id = 0;
    const PageControl* control = ControlOf(receiver, id);
    if (control == nullptr) {
        return false;  // Escape goes on to the close question
    }
    switch (control->widgetClass) {
        case WidgetClass::Edit:
            // Enter commits at once. Neither key goes further: Enter would reach the default
            // button, Escape would close the window.
            if (enter && IsTypeable(*control)) {
                OnControlEvent({ControlEvent::EditCommit, id, 0, ControlText(id)});
            }
            return true;
        case WidgetClass::ComboBox:
            if (QComboBox* open = OpenListOf(receiver)) {
                // Enter goes on to the open list, which takes the highlighted item; Escape
                // closes it on the item the camera holds, sending nothing.
                if (escape) {
                    open->hidePopup();
                    return true;
                }
                return false;
            }
            return true;  // a closed list: nothing to take
        case WidgetClass::PushButton:
            return true;
        default:
            return false;
    }
}

// --- MainView ---

const PageControl* MainWindow::Find(int32_t id) const {
    for (const ParameterPage* page : pages_) {
        if (const PageControl* control = page->Find(id)) {
            return control;
        }
    }
    const auto own = ownControls_.find(id);
    return own == ownControls_.end() ? nullptr : &own->second;
}

WidgetClass MainWindow::ClassifyControl(int32_t id) {
    const PageControl* control = Find(id);
    return control != nullptr ? control->widgetClass : WidgetClass::None;
}

std::string MainWindow::ControlText(int32_t id) {
    const PageControl* control = Find(id);
    if (control == nullptr) {
        return {};
    }
    QString text;
    if (SpinEdit* spin = AsSpinEdit(control)) {
        text = control->widgetClass == WidgetClass::Edit ? spin->EditText() : QString();
    } else if (auto* edit = qobject_cast<QLineEdit*>(control->widget)) {
        text = edit->text();
    } else if (auto* label = qobject_cast<QLabel*>(control->widget)) {
        text = label->text();
    } else if (auto* button = qobject_cast<QAbstractButton*>(control->widget)) {
        text = button->text();
    } else if (auto* list = qobject_cast<QComboBox*>(control->widget)) {
        text = list->currentText();
    }
    return text.toStdString();
}

void MainWindow::SetControlText(int32_t id, const std::string& text) {
    const PageControl* control = Find(id);
    if (control == nullptr) {
        return;
    }
    const QString shown = QString::fromStdString(text);
    if (SpinEdit* spin = AsSpinEdit(control)) {
        if (control->widgetClass == WidgetClass::Edit) {
            spin->ShowText(shown);
        }
    } else if (auto* edit = qobject_cast<QLineEdit*>(control->widget)) {
        const QSignalBlocker blocker(edit);
        edit->setText(shown);
    } else if (auto* label = qobject_cast<QLabel*>(control->widget)) {
        label->setText(shown);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control->widget)) {
        button->setText(shown);
    }
}

int32_t MainWindow::SelectedIndex(int32_t listId) {
    QComboBox* list = AsList(Find(listId));
    return list != nullptr ? list->currentIndex() : -1;
}

void MainWindow::SelectIndex(int32_t listId, int32_t index) {
    QComboBox* list = AsList(Find(listId));
    if (list == nullptr) {
        return;
    }
    const QSignalBlocker blocker(list);
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

int32_t MainWindow::ItemCount(int32_t listId) {
    QComboBox* list = AsList(Find(listId));
    return list != nullptr ? list->count() : 0;
}

int32_t MainWindow::ItemData(int32_t listId, int32_t index) {
    QComboBox* list = AsList(Find(listId));
    return list != nullptr ? list->itemData(index).toInt() : 0;
}

int32_t MainWindow::SpinPosition(int32_t spinId) {
    const PageControl* control = Find(spinId);
    SpinEdit* spin = AsSpinEdit(control);
    return spin != nullptr && control->widgetClass == WidgetClass::UpDown ? spin->Position() : -1;
}

void MainWindow::SetSpinPosition(int32_t spinId, int32_t position) {
    const PageControl* control = Find(spinId);
    if (SpinEdit* spin = AsSpinEdit(control); spin && control->widgetClass == WidgetClass::UpDown) {
        spin->SetPosition(position);
    }
}

bool MainWindow::GetSpinRange(int32_t spinId, int32_t& minimum, int32_t& maximum) {
    const PageControl* control = Find(spinId);
    SpinEdit* spin = AsSpinEdit(control);
    if (spin == nullptr || control->widgetClass != WidgetClass::UpDown) {
        return false;
    }
    minimum = spin->PositionMinimum();
    maximum = spin->PositionMaximum();
    return true;
}

void MainWindow::SetSpinRange(int32_t spinId, int32_t minimum, int32_t maximum) {
    const PageControl* control = Find(spinId);
    if (SpinEdit* spin = AsSpinEdit(control); spin && control->widgetClass == WidgetClass::UpDown) {
        spin->SetPositionRange(minimum, maximum);
    }
}

int32_t MainWindow::SpinOf(int32_t editId) {
    const PageControl* control = Find(editId);
    return AsSpinEdit(control) != nullptr && control->widgetClass == WidgetClass::Edit
               ? control->partner
               : 0;
}

int32_t MainWindow::BuddyOf(int32_t spinId) {
    const PageControl* control = Find(spinId);
    return AsSpinEdit(control) != nullptr && control->widgetClass == WidgetClass::UpDown
               ? control->partner
               : 0;
}

void MainWindow::EnableControl(int32_t id, bool enable) {
    const PageControl* control = Find(id);
    if (control == nullptr) {
        return;
    }
    if (SpinEdit* spin = AsSpinEdit(control)) {
        // The edit and its spin are enabled apart: a spin can step an edit that cannot be typed
        // into.
        if (control->widgetClass == WidgetClass::Edit) {
            spin->EnableEdit(enable);
        } else {
            spin->EnableSpin(enable);
        }
        return;
    }
    control->widget->setEnabled(enable);
}

void MainWindow::ShowControl(int32_t id, bool visible) {
    const PageControl* control = Find(id);
    if (control == nullptr) {
        return;
    }
    control->widget->setVisible(visible);
    if (control->label != nullptr) {
        control->label->setVisible(visible);
    }
}

void MainWindow::Activate() {
    activateWindow();
    raise();
    // Its own windows stay above it, as a window manager keeps them; without one they would
    // go behind it. The communication dialog stands aside and stays where the operator put it:
    // brought forward after each reading, it would come back over the pages.
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->isWindow() && child->isVisible() && child != communication_ &&
            child != communicationDock_) {
            child->raise();
        }
    }
}

void MainWindow::RebuildTabs() {
    const bool factoryMode = context_.Get<ControlMode>().IsFactory();
    const QSignalBlocker blocker(tabControl_);
    while (tabControl_->count() > 0) {
        tabControl_->removeTab(0);
    }
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        ParameterPage* page = pages_[i];
        QScrollArea* area = pageAreas_[i];
        // A page out of the mode is disabled as well as hidden: assistive tools still reach it.
        area->setEnabled(factoryMode || !page->FactoryOnly());
        if (factoryMode || !page->FactoryOnly()) {
            const int tab = tabControl_->addTab(area, page->Title());
            tabControl_->tabBar()->setTabData(tab, static_cast<int>(i));
        } else {
            area->setParent(this);
            area->hide();
        }
    }
    tabControl_->setCurrentIndex(0);
}

void MainWindow::EnableUtilityMenu(bool enable) {
    // The menu itself, not only its action: a menu enabled again with its window (after a
    // long operation) enables its action too, unless it was disabled in its own right.
    utilityMenu_->setEnabled(enable);
    utilityMenu_->menuAction()->setEnabled(enable);
}

void MainWindow::ApplyControlMode() {
    communication_->ApplyControlMode();
}

void MainWindow::EndProgram() {
    closeAgreed_ = true;
    close();
}

void MainWindow::ShowLutEditor(bool show) {
    LutEditor::ShowLutEditors(context_, this, show);
}

void MainWindow::ShowBaudIndex(int32_t index) {
    communication_->SelectBaudIndex(index);
}

void MainWindow::ShowTerminal() {
    terminal_->show();
    terminal_->raise();
    terminal_->activateWindow();
}

void MainWindow::ShowCommunicationDialog() {
    if (communicationDock_ != nullptr) {
        // Closed itself (close(), Escape), the dialog is hidden inside its dock.
        communication_->show();
        communicationDock_->show();
        communicationDock_->raise();
        communicationDock_->activateWindow();
        // The keyboard goes to its first control, as it would in the dialog's own window.
        QWidget* first = communication_->nextInFocusChain();
        for (int i = 0; first != communication_ && i < 1000; ++i) {
            if (communication_->isAncestorOf(first) && first->isVisible() && first->isEnabled() &&
                (first->focusPolicy() & Qt::TabFocus) != 0) {
                first->setFocus(Qt::ActiveWindowFocusReason);
                break;
            }
            first = first->nextInFocusChain();
        }
        return;
    }
    communication_->showNormal();
    communication_->raise();
    communication_->activateWindow();
}
