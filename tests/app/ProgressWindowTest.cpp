#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "app/MainWindow.h"
#include "app/WidgetServices.h"
#include "controls/ControlIds.h"
#include "dialogs/LutEditor.h"
#include "tests/support/FastWaitClock.h"
#include "tests/support/ScopedComPort.h"
#include "tests/support/SimProcess.h"
#include "tests/support/TestContext.h"
#include "widgets/ProgressDialog.h"

namespace {

// The progress window of the LUT transfers in the running program: the main window shown, a camera
// that answers a little slowly, and the operator's input delivered as the window system delivers
// it, so that a window the modal loop blocks would not take it.
class ProgressWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(camera.Start({"--no-pacing", "--delay-ms", "10"}));
        com1 = std::make_unique<ScopedComPort>(1, camera.DevicePath());
        window = std::make_unique<MainWindow>(test.Context());
        window->Initialise();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->ConnectAtStart();
        editor = window->findChild<LutEditor*>("LutEditor1", Qt::FindDirectChildrenOnly);
        ASSERT_NE(editor, nullptr);
    }

    ProgressDialog& Progress() { return test.Context().Get<ProgressDialog>(); }
    int Bar() { return Progress().findChild<QProgressBar*>("progressBar")->value(); }

    // Runs act once, as soon as the progress window shows a bar that moved.
    void OnceTheBarMoves(std::function<void()> act) {
        auto* poll = new QTimer(window.get());
        QObject::connect(poll, &QTimer::timeout, window.get(), [this, poll, act] {
            if (Progress().isVisible() && Bar() > 0) {
                poll->deleteLater();
                poll->stop();
                act();
            }
        });
        poll->start(10);
    }
    void ClickCancel() {
        auto* cancel = Progress().findChild<QPushButton*>();
        QTest::mouseClick(Progress().windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          cancel->mapTo(&Progress(), cancel->rect().center()));
    }
    void ClickEditorButton(const QString& text) {
        for (QPushButton* button : editor->findChildren<QPushButton*>()) {
            if (button->text() == text) {
                QTest::mouseClick(button, Qt::LeftButton);
                return;
            }
        }
        FAIL() << "no button " << text.toStdString();
    }
    std::string LastMessage() {
        return test.Notifier().Texts().empty() ? "" : test.Notifier().Texts().back();
    }

    TestContext test{FastWaitClock::After(ProvideWidgetServices)};
    SimProcess camera;
    std::unique_ptr<ScopedComPort> com1;
    std::unique_ptr<MainWindow> window;
    LutEditor* editor = nullptr;
};

TEST_F(ProgressWindowTest, LoadAllTablesBeforeTheEditorWasOpenedShowsItOnScreenAndCancels) {
    ASSERT_FALSE(editor->isVisible());
    QRect placed;
    bool overTheMainWindow = false;
    bool mainWindowDisabled = false;
    OnceTheBarMoves([&] {
        placed = Progress().frameGeometry();
        overTheMainWindow = window->frameGeometry().contains(placed.center());
        mainWindowDisabled = !window->isEnabled();
        ClickCancel();
    });
    for (QAction* action : window->findChildren<QAction*>()) {
        if (action->data().toInt() == MenuIds::kLoadAllLutTables) {
            action->trigger();
        }
    }
    EXPECT_TRUE(window->screen()->availableGeometry().contains(placed))
        << "placed at " << placed.x() << "," << placed.y();
    EXPECT_TRUE(overTheMainWindow);
    EXPECT_TRUE(mainWindowDisabled);
    const std::string told = LastMessage();
    EXPECT_EQ(told.rfind("Read ", 0), 0u) << told;
    EXPECT_NE(told.find(" of 256 LUT entries: cancelled."), std::string::npos) << told;
    EXPECT_TRUE(window->isEnabled());
}

TEST_F(ProgressWindowTest, EscapeInTheEditorThatActivatesItselfEachEntryCancelsTheRead) {
    window->ShowLutEditor(true);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(editor));
    bool editorActive = false;
    OnceTheBarMoves([&] {
        editorActive = QApplication::activeWindow() == editor;
        QTest::keyClick(editor->windowHandle(), Qt::Key_Escape);
    });
    ClickEditorButton("Read Table Data");
    EXPECT_TRUE(editorActive) << "the key went to the window that had taken the activation";
    const std::string told = LastMessage();
    EXPECT_EQ(told.rfind("Read ", 0), 0u) << told;
    EXPECT_NE(told.find(" of 256 LUT entries: cancelled."), std::string::npos) << told;
}

TEST_F(ProgressWindowTest, ACancelledWriteLeavesTheBarWhereItGotTo) {
    window->ShowLutEditor(true);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(editor));
    int barAtCancel = 0;
    OnceTheBarMoves([&] {
        barAtCancel = Bar();
        ClickCancel();
    });
    ClickEditorButton("Write Table Data");
    EXPECT_NE(LastMessage().find(" of 256 LUT entries: cancelled."), std::string::npos)
        << LastMessage();
    EXPECT_FALSE(Progress().isVisible());
    // The entry in flight may still move it by one.
    EXPECT_GE(Bar(), barAtCancel);
    EXPECT_LE(Bar(), barAtCancel + 1);
}

}  // namespace
