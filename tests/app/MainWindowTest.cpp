#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/ParameterPage.h"
#include "app/WidgetServices.h"
#include "controls/ControlIds.h"
#include "core/ControlMode.h"
#include "core/DocumentOpener.h"
#include "core/SettingsStore.h"
#include "core/StatusLine.h"
#include "dialogs/CommunicationDialog.h"
#include "tests/support/RecordingSettingsBackend.h"
#include "tests/support/TestContext.h"

namespace {

// The label of the window that shows the text, whole or cut short; null when none does.
QLabel* LabelShowing(const MainWindow& window, const QString& text) {
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (label->isVisible() && (label->text() == text || label->toolTip() == text)) {
            return label;
        }
    }
    return nullptr;
}

QStringList TabTitles(const MainWindow& window) {
    QStringList titles;
    for (int i = 0; i < window.TabControl()->count(); ++i) {
        titles << window.TabControl()->tabText(i);
    }
    return titles;
}

class MainWindowTest : public testing::Test {
protected:
    void Open() {
        window = std::make_unique<MainWindow>(test.Context());
        window->Initialise();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    TestContext test{ProvideWidgetServices};
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, ShowsTheCaptionWithTheVersion) {
    Open();
    EXPECT_EQ(window->windowTitle(), "RV-2410/4820-TCL Control Tool  Ver 0.20");
}

TEST_F(MainWindowTest, UserModeHidesTheFactoryPageAndGreysUtility) {
    Open();
    EXPECT_EQ(TabTitles(*window), (QStringList{"User A", "User B"}));
    EXPECT_FALSE(window->UtilityMenu()->menuAction()->isEnabled());
    EXPECT_FALSE(window->Pages()[2]->isVisible());
    // Hidden is no lock: a screen reader or a test robot still finds the widgets.
    EXPECT_FALSE(window->Pages()[2]->isEnabled());
}

TEST_F(MainWindowTest, TogglingFactoryModeAddsAndRemovesTheFactoryPage) {
    Open();
    // The mode's view alone: with no camera, the area query of a full toggle only waits.
    const auto toggle = [this] {
        test.Context().Get<ControlMode>().Toggle();
        window->Logic().UpdateModeView();
    };
    toggle();
    EXPECT_EQ(TabTitles(*window), (QStringList{"User A", "User B", "Factory A"}));
    EXPECT_TRUE(window->UtilityMenu()->menuAction()->isEnabled());
    EXPECT_EQ(window->TabControl()->currentIndex(), 0);

    window->TabControl()->setCurrentIndex(2);
    EXPECT_TRUE(window->Pages()[2]->isVisible());
    toggle();
    EXPECT_EQ(TabTitles(*window), (QStringList{"User A", "User B"}));
    EXPECT_EQ(window->TabControl()->currentIndex(), 0);
    EXPECT_TRUE(window->Pages()[0]->isVisible());
    EXPECT_FALSE(window->Pages()[2]->isVisible());
}

TEST_F(MainWindowTest, FactoryModeStoredByTheLastRunShowsTheFactoryPage) {
    test.Context().Get<ControlMode>().Set(1);
    test.Restart();
    Open();
    EXPECT_EQ(TabTitles(*window).size(), 3);
    EXPECT_TRUE(window->UtilityMenu()->menuAction()->isEnabled());
}

TEST_F(MainWindowTest, TheStatusLineShowsTheLastOutcomeAndTheLink) {
    // rvcore may report before the window is there.
    test.Context().Get<StatusLine>().ShowOutcome("GA=400 accepted");
    Open();
    test.Context().Get<StatusLine>().ShowLink("COM3 /dev/ttyUSB0 115200 bit/s  RV-2410M-TCL");
    QLabel* outcome = LabelShowing(*window, "GA=400 accepted");
    QLabel* link = LabelShowing(*window, "COM3 /dev/ttyUSB0 115200 bit/s  RV-2410M-TCL");
    ASSERT_NE(outcome, nullptr);
    ASSERT_NE(link, nullptr);
    EXPECT_LT(outcome->geometry().right(), link->geometry().left()) << "the link on the right";

    // A long outcome is cut short where it would push the window wider; the whole is its tooltip.
    const int width = window->width();
    const QString longText =
        "Loaded 26 lines, " + QString("1 refused (line 14, GA), ").repeated(20);
    test.Context().Get<StatusLine>().ShowOutcome(longText.toStdString());
    outcome = LabelShowing(*window, longText);
    ASSERT_NE(outcome, nullptr);
    EXPECT_EQ(outcome->toolTip(), longText);
    EXPECT_TRUE(outcome->text().startsWith("Loaded 26 lines, "));
    EXPECT_LT(outcome->text().size(), longText.size());
    EXPECT_EQ(window->width(), width);
}

TEST_F(MainWindowTest, ExitSavesTheLinkThenTheModeThenMarksTheNormalEnd) {
    RecordingSettingsBackend backend;
    test.Context().ProvideExternal<SettingsBackend>(backend);
    Open();
    window.reset();
    test.Context().DestroyAll();
    std::vector<std::string> names;
    for (const auto& write : backend.writes) {
        names.push_back(write.first);
    }
    const std::vector<std::string> expected = {"Previous Application Shutdown Status",
                                               "Communication Mode",
                                               "Baudrate",
                                               "Com Port No",
                                               "Cameralink 2000 Dll Index",
                                               "Cameralink 2001 Dll Index",
                                               "Cameralink Ver11 Dll Index",
                                               "Control Mode",
                                               "Previous Application Shutdown Status"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(backend.writes.back().second, 1u);
}

TEST_F(MainWindowTest, ClosingAsksFirstAndNoKeepsTheWindowOpen) {
    Open();
    test.Notifier().QueueAnswer(MessageAnswer::No);
    window->close();
    ASSERT_EQ(test.Notifier().Messages().size(), 1u);
    const MessageRequest& question = test.Notifier().Messages()[0];
    EXPECT_EQ(question.text, "Are you sure to terminate the Camera Control Tool ?");
    EXPECT_EQ(question.caption, "Confirm");
    EXPECT_EQ(question.icon, MessageIcon::Question);
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_TRUE(window->isVisible());

    test.Notifier().QueueAnswer(MessageAnswer::Yes);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_EQ(test.Notifier().Messages().size(), 2u);
    EXPECT_FALSE(window->isVisible());
}

// The window manager is told of an ordinary main window: its own entry in the task bar, and
// other programs stay usable while it runs.
TEST_F(MainWindowTest, RunsAsAnOrdinaryTopLevelWindow) {
    bool seen = false;
    bool exitLast = false;
    Qt::WindowType type = Qt::Dialog;
    Qt::WindowModality modality = Qt::ApplicationModal;
    QWindow* transientParent = nullptr;
    QTimer::singleShot(0, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* main = qobject_cast<MainWindow*>(top);
            if (main == nullptr || !main->isVisible()) {
                continue;
            }
            seen = true;
            type = main->windowHandle()->type();
            modality = main->windowHandle()->modality();
            transientParent = main->windowHandle()->transientParent();
            // Exit, the last item of File, ends the run after the question.
            QAction* exit = main->menuBar()->actions().first()->menu()->actions().last();
            exitLast = exit->data().toInt() == MenuIds::kExit;
            test.Notifier().QueueAnswer(MessageAnswer::Yes);
            exit->trigger();
        }
    });
    EXPECT_EQ(Application(test.Context()).Run(), 0);
    ASSERT_TRUE(seen);
    EXPECT_EQ(type, Qt::Window);
    EXPECT_EQ(modality, Qt::NonModal);
    EXPECT_EQ(transientParent, nullptr);
    EXPECT_TRUE(exitLast);
    EXPECT_EQ(test.Notifier().Messages().size(), 1u);
}

// The operator's size and place come back in the next run, the communication dialog's too; a
// place on a screen that is gone comes back whole on the primary screen.
TEST_F(MainWindowTest, KeepsItsPlaceForTheNextRunAndComesBackOnAScreen) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    // The dialog in a window of its own, as the operator left it on a screen with room for it.
    test.Context().Get<SettingsStore>().WriteText(
        kCommunicationDialogPlace, WindowPlace{area.left(), area.top(), 300, 200, false}.ToText());
    Open();
    const QSize size = window->minimumSizeHint().expandedTo(QSize(300, 200));
    window->resize(size);
    window->move(area.topLeft() + QPoint(30, 20));
    window->Communication()->move(area.topLeft() + QPoint(70, 60));
    const QPoint place = window->pos();
    const QPoint dialogPlace = window->Communication()->pos();
    test.Notifier().QueueAnswer(MessageAnswer::Yes);
    ASSERT_TRUE(window->close());
    window.reset();
    test.Restart();

    Open();
    EXPECT_EQ(window->pos(), place);
    EXPECT_EQ(window->size(), size);
    EXPECT_EQ(window->Communication()->pos(), dialogPlace);
    window.reset();

    // Left on a second screen, right of this one, since unplugged.
    test.Context().Get<SettingsStore>().WriteText(
        kMainWindowPlace,
        WindowPlace{area.right() + 200, area.top() + 10, size.width(), size.height(), false}
            .ToText());
    Open();
    EXPECT_TRUE(area.contains(window->frameGeometry())) << window->frameGeometry().x();
    EXPECT_EQ(window->size(), size);
    window.reset();

    // A hand-edited value that is no place: the window's own size and place.
    test.Context().Get<SettingsStore>().WriteText(kMainWindowPlace, "20,30,-5,abc");
    Open();
    EXPECT_TRUE(area.contains(window->frameGeometry()));
    EXPECT_NE(window->size(), size);
}

class RecordingOpener : public DocumentOpener {
public:
    bool Open(const std::string& path) override {
        opened.push_back(path);
        return refused.count(path) == 0;
    }
    std::vector<std::string> opened;
    // The files no viewer starts for, as the page on a desktop without a browser.
    std::set<std::string> refused;
};

// F1 opens the guide's page where it is installed; where no browser shows the page, the
// Markdown; where neither opens or the guide is not installed, the operator is told where.
TEST_F(MainWindowTest, F1OpensTheUserGuide) {
    RecordingOpener opener;
    test.Context().ProvideExternal<DocumentOpener>(opener);
    Open();
    const std::string missing = test.Folder().File("missing/user-guide.html");
    const std::string page = test.Folder().File("user-guide.html");
    const std::string markdown = test.Folder().File("user-guide.md");
    std::ofstream(page) << "<!DOCTYPE html>\n";
    std::ofstream(markdown) << "# User guide\n";
    window->Logic().UserGuidePlaces = {missing, page, markdown};
    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_EQ(opener.opened, std::vector<std::string>{page});

    opener.opened.clear();
    opener.refused = {page};
    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_EQ(opener.opened, (std::vector<std::string>{page, markdown}));
    EXPECT_TRUE(test.Notifier().Texts().empty());

    opener.refused = {page, markdown};
    QTest::keyClick(window.get(), Qt::Key_F1);
    ASSERT_EQ(test.Notifier().Texts().size(), 1u);
    EXPECT_NE(test.Notifier().Texts()[0].find(page), std::string::npos);
    EXPECT_NE(test.Notifier().Texts()[0].find(markdown), std::string::npos);

    test.Notifier().Clear();
    opener.opened.clear();
    window->Logic().UserGuidePlaces = {missing};
    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_TRUE(opener.opened.empty());
    ASSERT_EQ(test.Notifier().Texts().size(), 1u);
    EXPECT_NE(test.Notifier().Texts()[0].find(missing), std::string::npos);
}

TEST_F(MainWindowTest, AfterACameraResetTheWindowClosesWithoutAsking) {
    Open();
    window->Logic().QuitWithoutConfirm = true;
    window->close();
    EXPECT_TRUE(test.Notifier().Messages().empty());
    EXPECT_FALSE(window->isVisible());
}

}  // namespace
