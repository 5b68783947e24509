#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "core/CancelToken.h"
#include "core/ProgressSink.h"
#include "tests/support/FastWaitClock.h"
#include "widgets/OperatorInputBlocker.h"
#include "widgets/ProgressDialog.h"

namespace {

// Counts how often it is painted.
class PaintCounter : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        ++paints;
        QPainter(this).fillRect(rect(), Qt::white);
    }
};

class ProgressDialogTest : public testing::Test {
protected:
    void SetUp() override {
        owner.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    }
    QProgressBar* Bar() { return progress.findChild<QProgressBar*>("progressBar"); }
    QLabel* Text() { return progress.findChild<QLabel*>("progressMessage"); }
    // Runs check after delayMs, while EndProgress holds the window.
    template <class Check>
    void During(int delayMs, Check check) {
        QTimer::singleShot(delayMs, &owner, check);
    }

    QWidget owner;
    ProgressDialog progress;
};

TEST_F(ProgressDialogTest, ShowProgressDisablesTheOwnerAndShowsTheMessageAtZero) {
    progress.ShowProgress(&owner, "Now, reading camera settings.");
    EXPECT_TRUE(progress.isVisible());
    EXPECT_FALSE(owner.isEnabled());
    EXPECT_EQ(Text()->text(), "Now, reading camera settings.");
    EXPECT_EQ(Bar()->value(), 0);
    progress.SetProgressMessage("second");
    progress.SetProgress(73);
    EXPECT_EQ(Bar()->value(), 73);
    EXPECT_EQ(Text()->text(), "second");
}

TEST_F(ProgressDialogTest, TheGivenOwnerIsDisabledNotTheActiveWindow) {
    QWidget mainWindow;
    mainWindow.show();
    progress.SetMainWindow(&mainWindow);
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));

    ProgressSink& sink = progress;
    sink.ShowProgress(nullptr, "no owner given");
    EXPECT_EQ(progress.Owner(), &mainWindow);
    EXPECT_FALSE(mainWindow.isEnabled());
    EXPECT_TRUE(other.isEnabled());
    progress.close();

    progress.ShowProgress(&owner, "owner given");
    EXPECT_FALSE(owner.isEnabled());
    EXPECT_TRUE(other.isEnabled());
    EXPECT_TRUE(mainWindow.isEnabled());
}

TEST_F(ProgressDialogTest, SetProgressAndEndProgressDoNothingWhileHidden) {
    progress.SetProgress(50);
    EXPECT_EQ(Bar()->value(), 0);
    owner.setEnabled(false);
    QElapsedTimer clock;
    clock.start();
    progress.EndProgress();
    EXPECT_LT(clock.elapsed(), 500);
    EXPECT_FALSE(progress.isVisible());
    EXPECT_FALSE(owner.isEnabled());
}

TEST_F(ProgressDialogTest, EndProgressKeepsTheFullBarForOneSecondThenClosesAndFreesTheOwner) {
    progress.ShowProgress(&owner, "Now, reading camera settings.");
    progress.SetProgress(79);
    bool fullBarShownMidway = false;
    During(800, [&] {
        fullBarShownMidway = progress.isVisible() && Bar()->value() == 100 && !owner.isEnabled();
    });
    QElapsedTimer clock;
    clock.start();
    progress.EndProgress();
    EXPECT_GE(clock.elapsed(), 990);
    EXPECT_TRUE(fullBarShownMidway);
    EXPECT_FALSE(progress.isVisible());
    EXPECT_TRUE(owner.isEnabled());
}

TEST_F(ProgressDialogTest, EndProgressMakesTheOwnerActive) {
    const FastWaitClock fast;  // the hold's length is the test above's
    ProgressDialog quick(nullptr, &fast);
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    quick.ShowProgress(&owner, "working");
    quick.EndProgress();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&owner));
}

TEST_F(ProgressDialogTest, WindowsKeepPaintingButInputIsThrownAwayDuringTheFinalSecond) {
    PaintCounter other;
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    QPushButton button("Other");
    button.show();
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&clicks] { ++clicks; });
    progress.ShowProgress(&owner, "working");
    int paintsBefore = 0;
    During(300, [&] {
        paintsBefore = other.paints;
        other.update();
        QTest::mouseClick(&button, Qt::LeftButton);
    });
    int paintsAfter = 0;
    During(900, [&] { paintsAfter = other.paints; });

    progress.EndProgress();
    QApplication::processEvents();
    EXPECT_GT(paintsAfter, paintsBefore);
    EXPECT_EQ(clicks, 0);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ProgressDialogTest, AMessageBoxOpenedDuringTheFinalSecondCanBeAnswered) {
    progress.ShowProgress(&owner, "working");
    bool answered = false;
    During(200, [&] {
        QMessageBox box(QMessageBox::Warning, "Communication Error", "late reply", QMessageBox::Ok,
                        &owner);
        QTimer::singleShot(
            200, &box, [&box] { QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton); });
        // A box that cannot be answered is closed here, so that the test fails instead of hangs.
        QTimer::singleShot(3000, &box, [&box] { box.done(-1); });
        answered = box.exec() == QMessageBox::Ok;
    });
    progress.EndProgress();
    EXPECT_TRUE(answered);
    EXPECT_FALSE(progress.isVisible());
}

TEST_F(ProgressDialogTest, ClosingOrDestroyingTheWindowEnablesTheOwner) {
    owner.setEnabled(false);
    progress.ShowProgress(&owner, "working");
    progress.close();
    EXPECT_TRUE(owner.isEnabled());

    auto other = std::make_unique<ProgressDialog>();
    other->ShowProgress(&owner, "working");
    ASSERT_FALSE(owner.isEnabled());
    other.reset();
    EXPECT_TRUE(owner.isEnabled());
}

TEST_F(ProgressDialogTest, NextOperationStartsAgainFromZeroOverItsOwner) {
    progress.ShowProgress(&owner, "first");
    progress.SetProgress(60);
    progress.close();
    QWidget editor;
    editor.show();
    progress.ShowProgress(&editor, "second");
    EXPECT_EQ(Bar()->value(), 0);
    EXPECT_FALSE(editor.isEnabled());
    EXPECT_TRUE(owner.isEnabled());
}

}  // namespace

namespace {

TEST(ProgressDialogCancelTest, CancelAndEscapeReachTheOperationWhileTheOtherWindowsAreBlocked) {
    QWidget owner;
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    CancelToken token;
    const FastWaitClock fast;
    ProgressDialog progress(&token, &fast);
    progress.ShowProgress(&owner, "Now, writing camera gamma data.");
    // As the engine does while it waits for the camera.
    OperatorInputBlocker blocker;
    QCoreApplication::instance()->installEventFilter(&blocker);
    auto* cancel = progress.findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->text(), "Cancel");
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_TRUE(token.Requested());

    token.Reset();
    progress.EndProgress();
    progress.ShowProgress(&owner, "Now, reading camera setting file.");
    QTest::keyClick(&progress, Qt::Key_Escape);
    EXPECT_TRUE(token.Requested());
    QCoreApplication::instance()->removeEventFilter(&blocker);
}

}  // namespace
