#include <gtest/gtest.h>

#include <unistd.h>

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCoreApplication>
#include <QDockWidget>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/MainWindow.h"
#include "app/WidgetServices.h"
#include "core/ControlMode.h"
#include "core/OperatorDialogs.h"
#include "core/ProcessContext.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/AreaSelectDialog.h"
#include "dialogs/CameraIdDialog.h"
#include "dialogs/CommunicationDialog.h"
#include "dialogs/CompareDialog.h"
#include "dialogs/LutEditor.h"
#include "dialogs/MonitorWindow.h"
#include "dialogs/TerminalDialog.h"
#include "dialogs/UserIdDialog.h"
#include "presenters/MainView.h"
#include "tests/support/FastWaitClock.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestContext.h"
#include "widgets/ProgressDialog.h"

namespace {

// A screen of RV_TEST_WIDTH x RV_TEST_HEIGHT pixels at the scale this program was built for
// (RV_TEST_SCALE), set up before main() makes the application, as an operator's display
// settings would be.
class ScaledScreen {
public:
    ScaledScreen() : path_("/tmp/rv-window-fit-" + std::to_string(getpid()) + ".json") {
        std::ofstream(path_) << R"({"screens": [{"name": "Display", "x": 0, "y": 0, )"
                             << R"("width": )" << RV_TEST_WIDTH << R"(, "height": )"
                             << RV_TEST_HEIGHT << R"(, "logicalDpi": 96}]})";
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + path_).c_str());
        qputenv("QT_SCALE_FACTOR", RV_TEST_SCALE);
    }
    ~ScaledScreen() { std::remove(path_.c_str()); }

private:
    std::string path_;
};
const ScaledScreen screen;

// Counts the times a window is brought forward.
class ZOrderCounter : public QObject {
public:
    explicit ZOrderCounter(int& count) : count_(count) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ZOrderChange) {
            ++count_;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    int& count_;
};

class WindowFitTest : public testing::Test {
protected:
    void Open() {
        test.Context().Get<ControlMode>().Set(1);  // all three pages
        window = std::make_unique<MainWindow>(test.Context());
        window->Initialise();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window->Communication()));
    }
    QRect Available() const { return QGuiApplication::primaryScreen()->availableGeometry(); }

    TestContext test{FastWaitClock::After(ProvideWidgetServices)};
    std::unique_ptr<MainWindow> window;
};

TEST_F(WindowFitTest, TheWindowStaysOnTheScreenAndItsPagesScroll) {
    Open();
    const QRect available = Available();
    ASSERT_EQ(available.width(), qRound(RV_TEST_WIDTH / std::stod(RV_TEST_SCALE)));
    EXPECT_TRUE(available.contains(window->frameGeometry()));
    for (int tab = 0; tab < window->TabControl()->count(); ++tab) {
        window->TabControl()->setCurrentIndex(tab);
        SCOPED_TRACE(window->TabControl()->tabText(tab).toStdString());
        QCoreApplication::processEvents();
        for (ParameterPage* page : window->Pages()) {
            if (page->isVisible()) {
                // Whole, however small the window: what does not fit is scrolled to.
                EXPECT_GE(page->height(), page->minimumSizeHint().height());
                EXPECT_GE(page->width(), page->minimumSizeHint().width());
                // Down only: no column hidden to the right behind a scroll bar.
                EXPECT_LE(page->width(), page->parentWidget()->width());
            }
        }
    }
}

// Where the screen has room beside the pages the dialog stands there; where it has not, it sits
// in a dock beside them. Either way it covers none of the page's boxes.
TEST_F(WindowFitTest, TheCommunicationDialogCoversNoPageNorTheStatusLine) {
    Open();
    QCoreApplication::processEvents();
    const QWidget* dialog = window->Communication();
    ASSERT_TRUE(dialog->isVisible());
    const QRect shown = dialog->isWindow() ? dialog->frameGeometry()
                                           : QRect(dialog->mapToGlobal(QPoint()), dialog->size());
    EXPECT_TRUE(Available().contains(shown));
    EXPECT_TRUE(Available().contains(window->frameGeometry()));
#ifdef RV_TEST_NO_ROOM_BESIDE_THE_PAGES
    // Too narrow for the pages beside the dialog: floated out, to be docked when wanted.
    ASSERT_NE(window->CommunicationDock(), nullptr);
    EXPECT_TRUE(window->CommunicationDock()->isFloating());
    return;
#endif
    // Nor the status line, which tells the link and the mode.
    const QWidget* statusBar = window->statusBar();
    EXPECT_FALSE(shown.intersects(QRect(statusBar->mapToGlobal(QPoint()), statusBar->size())));
    const QWidget* page = window->Pages().front();
    ASSERT_TRUE(page->isVisible());
    const QWidget* viewport = page->parentWidget();
    const QRect inView(viewport->mapToGlobal(QPoint()), viewport->size());
    for (const QWidget* box : page->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        const QRect onScreen = QRect(box->mapToGlobal(QPoint()), box->size()).intersected(inView);
        EXPECT_FALSE(box->isVisible() && shown.intersects(onScreen))
            << box->objectName().toStdString();
    }
}

// Docked, the dialog does what it does in its own window: Escape closes it, Help > Open
// Communication Dialog brings it back with the keyboard in it, Tab leaves it for the pages and
// comes back; floated out or docked, it comes back so in the next run.
TEST_F(WindowFitTest, TheDockedDialogWorksAsTheDialogAndComesBackAsLeft) {
    Open();
    QDockWidget* dock = window->CommunicationDock();
    if (dock == nullptr) {
        GTEST_SKIP() << "the dialog has room beside the pages";
    }
    // Docked by the operator where it opened floated out, on a screen too narrow for it.
    dock->setFloating(false);
    CommunicationDialog* dialog = window->Communication();
    ASSERT_TRUE(dialog->isVisible());
    QTest::keyClick(dialog->findChild<QWidget*>("categoryList"), Qt::Key_Escape);
    EXPECT_FALSE(dock->isVisible());
    EXPECT_TRUE(window->isVisible());

    window->ShowCommunicationDialog();
    ASSERT_TRUE(dock->isVisible());
    ASSERT_TRUE(dialog->isVisible());
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    EXPECT_TRUE(dialog->isAncestorOf(focused));

    bool left = false;
    bool back = false;
    for (int i = 0; i < 300 && !back; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const bool inDialog = dialog->isAncestorOf(QApplication::focusWidget());
        left = left || (!inDialog && window->isAncestorOf(QApplication::focusWidget()));
        back = left && inDialog;
    }
    EXPECT_TRUE(left);
    EXPECT_TRUE(back);

    // Floated out and moved: there again in the next run.
    dock->setFloating(true);
    dock->resize(dock->minimumSizeHint().expandedTo(QSize(200, 200)));
    dock->move(Available().topLeft() + QPoint(10, 20));
    QCoreApplication::processEvents();
    const QPoint floated = dock->pos();
    const auto reopen = [this] {
        test.Notifier().QueueAnswer(MessageAnswer::Yes);
        ASSERT_TRUE(window->close());
        window.reset();
        test.Restart();
        Open();
    };
    reopen();
    dock = window->CommunicationDock();
    ASSERT_NE(dock, nullptr);
    EXPECT_TRUE(dock->isFloating());
    EXPECT_EQ(dock->pos(), floated);
    EXPECT_TRUE(dock->isAncestorOf(window->Communication()));

    // Docked back with the dock's own button: docked in the next run.
    dock->setFloating(false);
    reopen();
    ASSERT_NE(window->CommunicationDock(), nullptr);
#ifdef RV_TEST_NO_ROOM_BESIDE_THE_PAGES
    // Unless the screen is too narrow for the pages beside it.
    EXPECT_TRUE(window->CommunicationDock()->isFloating());
#else
    EXPECT_FALSE(window->CommunicationDock()->isFloating());
#endif
    EXPECT_TRUE(window->CommunicationDock()->isVisible());
}

// Each dialog whole on the screen, however small at whatever scale: what does not fit scrolls,
// and no button runs off the screen.
TEST_F(WindowFitTest, EveryDialogFitsTheScreen) {
    Open();
    ProcessContext& context = test.Context();
    ChoiceRequest choice{nullptr,
                         "Store setting data",
                         "Area to store",
                         {"User 1 Data", "User 2 Data", "User 3 Data"}};
    ComparisonRequest comparison{
        nullptr, "The camera differs from day.cam in 40 of 80 parameters.", {}};
    for (int i = 0; i < 80; ++i) {
        comparison.rows.push_back({"User A", "Gain Level", "GA", "400", "410", i % 2 == 0});
    }
    std::vector<std::unique_ptr<QWidget>> owned;
    const std::vector<std::pair<const char*, std::function<QWidget*()>>> dialogs = {
        {"about", [&] { return owned.emplace_back(new AboutDialog(context)).get(); }},
        {"area select",
         [&] { return owned.emplace_back(new AreaSelectDialog(context, choice)).get(); }},
        {"camera id", [&] { return owned.emplace_back(new CameraIdDialog(context)).get(); }},
        {"user id", [&] { return owned.emplace_back(new UserIdDialog(context)).get(); }},
        {"compare", [&] { return owned.emplace_back(new CompareDialog(comparison)).get(); }},
        {"monitor", [&] { return owned.emplace_back(new MonitorWindow(context, {})).get(); }},
        {"progress", [&] { return static_cast<QWidget*>(&context.Get<ProgressDialog>()); }},
        {"terminal",
         [&] {
             window->ShowTerminal();
             return window->Terminal();
         }},
        {"LUT editor",
         [&]() -> QWidget* {
             window->ShowLutEditor(true);
             for (QWidget* top : QApplication::topLevelWidgets()) {
                 if (qobject_cast<LutEditor*>(top) != nullptr && top->isVisible()) {
                     return top;
                 }
             }
             return nullptr;
         }},
        {"communication",
         [&]() -> QWidget* {
             if (QDockWidget* dock = window->CommunicationDock()) {
                 dock->setFloating(true);
                 return dock;
             }
             return window->Communication();
         }},
    };
    for (const auto& [title, open] : dialogs) {
        SCOPED_TRACE(title);
        QWidget* dialog = open();
        ASSERT_NE(dialog, nullptr);
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
        EXPECT_TRUE(Available().contains(dialog->frameGeometry()))
            << dialog->frameGeometry().width() << "x" << dialog->frameGeometry().height() << "+"
            << dialog->frameGeometry().x() << "+" << dialog->frameGeometry().y();
        for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
            bool scrolled = false;
            for (const QWidget* w = button; w != dialog; w = w->parentWidget()) {
                scrolled = scrolled || qobject_cast<const QAbstractScrollArea*>(w) != nullptr;
            }
            if (button->isVisible() && !scrolled) {
                EXPECT_TRUE(
                    Available().contains(QRect(button->mapToGlobal(QPoint()), button->size())))
                    << button->text().toStdString();
            }
        }
        dialog->hide();
    }
}

TEST_F(WindowFitTest, TheCommunicationDialogStaysBehindAfterAReading) {
    Open();
    QCoreApplication::processEvents();
    // What a reading (Reload, Compare) does to the main window when it shows the values.
    int raised = 0;
    ZOrderCounter counter(raised);
    window->Communication()->installEventFilter(&counter);
    static_cast<MainView&>(*window).Activate();
    window->Communication()->removeEventFilter(&counter);
    EXPECT_EQ(raised, 0);
}

}  // namespace
