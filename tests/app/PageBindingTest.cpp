#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/WidgetServices.h"
#include "controls/ControlIds.h"
#include "controls/ControlTable.h"
#include "core/ControlMode.h"
#include "dialogs/CompareDialog.h"
#include "operations/CameraFile.h"
#include "operations/ChangeHistory.h"
#include "operations/FlashAreas.h"
#include "protocol/Command.h"
#include "tests/support/FastWaitClock.h"
#include "tests/support/ScopedComPort.h"
#include "tests/support/SimProcess.h"
#include "tests/support/SimTranscript.h"
#include "tests/support/TestContext.h"
#include "transport/CameraPort.h"
#include "widgets/ElidingLabel.h"
#include "widgets/SpinEdit.h"

namespace {

// The main window on the simulated camera, driven as an operator drives it, and judged by what
// the camera received.
class PageBindingTest : public testing::Test {
protected:
    void Open(std::vector<std::string> cameraOptions = {}) {
        transcript = test.Folder().File("transcript");
        cameraOptions.insert(cameraOptions.end(), {"--no-pacing", "--transcript", transcript});
        ASSERT_TRUE(camera.Start(cameraOptions));
        com1 = std::make_unique<ScopedComPort>(1, camera.DevicePath());
        window = std::make_unique<MainWindow>(test.Context());
        window->Initialise();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->ConnectAtStart();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // What the camera received since the last call.
    std::vector<std::string> Sent() { return ReceivedSince(transcript, seen); }

    // A control found as a screen reader finds it: by its accessible name.
    template <class Widget>
    Widget* Named(const QString& name) {
        for (Widget* widget : window->findChildren<Widget*>()) {
            if (widget->accessibleName() == name) {
                return widget;
            }
        }
        // Thrown, so that the test ends as a failure and the camera is still stopped.
        throw std::runtime_error("no control named " + name.toStdString());
    }
    QLabel* Text(int32_t id) {
        return window->findChild<QLabel*>(QString::fromStdString(ControlIds::ObjectName(id)));
    }
    QString StatusText(const char* part) {
        return window->findChild<ElidingLabel*>(part)->WholeText();
    }
    bool MarkedNotStored() {
        auto* mark = window->findChild<QLabel*>("StatusLineStorage");
        return !mark->isHidden() && mark->text() == "Not stored to flash";
    }
    // What the close question asked; the window stays open (the answer is No).
    std::string CloseQuestion() {
        test.Notifier().Clear();
        test.Notifier().QueueAnswer(MessageAnswer::No);
        window->reject();
        return test.Notifier().Messages().empty() ? "" : test.Notifier().Messages().back().text;
    }

    void ShowPage(int index) { window->TabControl()->setCurrentIndex(index); }
    void TypeAndEnter(QAbstractSpinBox* edit, const QString& text) {
        edit->setFocus();
        edit->findChild<QLineEdit*>()->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    // A key of the window's menu, pressed in the widget once the window has the keyboard again
    // (a list's drop-down may have taken it).
    void PressInWindow(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        // The focus changes the window system still has queued arrive first.
        QTest::qWait(50);
        ASSERT_TRUE(window->isActiveWindow());
        widget->setFocus();
        QTest::keyClick(widget, key, modifiers);
    }
    // Opens the list, highlights the item and takes it with Enter.
    void Choose(QComboBox* list, const QString& item) {
        list->setFocus();
        list->showPopup();
        QAbstractItemView* popup = list->view();
        popup->setCurrentIndex(list->model()->index(list->findText(item), 0));
        QTest::keyClick(popup, Qt::Key_Return);
    }

    // One notch of the mouse wheel, turned towards the operator over the middle of the widget.
    void RollDown(QWidget* widget) {
        const QPointF centre = QRectF(widget->rect()).center();
        QWheelEvent wheel(centre, widget->mapToGlobal(centre), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget, &wheel);
    }

    bool AskedToClose() {
        for (const MessageRequest& message : test.Notifier().Messages()) {
            if (message.caption == "Confirm") {
                return true;
            }
        }
        return false;
    }

    TestContext test{FastWaitClock::After(ProvideWidgetServices)};
    SimProcess camera;
    std::string transcript;
    std::size_t seen = 0;
    std::unique_ptr<ScopedComPort> com1;
    std::unique_ptr<MainWindow> window;
};

using Lines = std::vector<std::string>;

// What a camera in user mode is asked for when the program reads it: the read-back rows of the
// user pages, in the order of the control table.
const Lines kUserReads = {"CBDRT?", "TG?",  "TI?",  "TA?",    "ARST?", "EM?",  "PE?",
                          "LR?",    "AL?",  "BI?",  "HB?",    "HBM?",  "BA?",  "TAGM?",
                          "CLC?",   "TS?",  "GA?",  "ABG?",   "BL?",   "SDC?", "PGC?",
                          "PBC?",   "LUN?", "GMA?", "TMPS0?", "LS0?",  "SS?",  "MF?"};
// ... and in factory mode also those of the factory page.
const Lines kFactoryReads = {"GA4A00?", "GA4B00?", "GA8K00?", "BL4A00?", "BL4B00?", "BL8K00?",
                             "BAS00?",  "BYP0?",   "GA00?",   "PGC00?",  "PBC00?"};

Lines Concat(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

TEST_F(PageBindingTest, StartUpAndTheModeSwitchReadTheCameraInTableOrder) {
    Open();
    EXPECT_EQ(Sent(), Concat({{"MD?", "EA?", "MD?"}, kUserReads}));
    EXPECT_EQ(Text(ControlIds::kLinePeriodText)->text(), "50.00us");
    EXPECT_EQ(Text(ControlIds::kLineFrequencyText)->text(), "20000.0000hz");

    // The access word after Shift+Ctrl+F12; a modifier pressed in between breaks it.
    QTest::keyClick(window.get(), Qt::Key_F12, Qt::ShiftModifier | Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_R);
    QTest::keyClick(window.get(), Qt::Key_Shift);
    QTest::keyClicks(window.get(), "VF");
    EXPECT_EQ(window->TabControl()->count(), 2);
    EXPECT_TRUE(Sent().empty());

    QTest::keyClick(window.get(), Qt::Key_F12, Qt::ShiftModifier | Qt::ControlModifier);
    QTest::keyClicks(window.get(), "RVF");
    EXPECT_EQ(window->TabControl()->count(), 3);
    EXPECT_EQ(window->TabControl()->tabText(2), "Factory A");
    EXPECT_EQ(window->TabControl()->currentIndex(), 0);
    EXPECT_EQ(Sent(), Concat({{"EA?", "MD?"}, kUserReads, kFactoryReads}));
    EXPECT_TRUE(test.Context().Get<ControlMode>().IsFactory());
    EXPECT_TRUE(test.Notifier().Messages().empty());
}

TEST_F(PageBindingTest, AValueTypedWithEnterIsSentOnceAndTheFocusLossAfterItSendsNothing) {
    Open();
    Sent();
    auto* gain = Named<SpinEdit>("Gain Level");
    TypeAndEnter(gain, "400");
    EXPECT_EQ(Sent(), Lines{"GA=400"});
    EXPECT_TRUE(window->isVisible());
    Named<QComboBox>("Trigger Origin")->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(Sent().empty());
    // A text that is not a number is not sent; the edit shows the last accepted value again.
    TypeAndEnter(gain, "");
    QTest::keyClicks(gain, "4x");
    QTest::keyClick(gain, Qt::Key_Return);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(gain->EditText(), "400");
}

TEST_F(PageBindingTest,
       AnUnansweredChangeIsReadBackNeverSentAgainAndTheStatusSaysOnlyWhatHappened) {
    Open({"--mute", "BL"});
    Sent();
    auto* black = Named<SpinEdit>("Black Level");
    TypeAndEnter(black, "30");
    EXPECT_EQ(Sent(), Lines{"BL=30"});
    EXPECT_EQ(black->EditText(), "-") << "unknown until the camera tells it";
    EXPECT_EQ(StatusText("StatusLineOutcome"), "BL=30: no answer from the camera in 5 s");
    TypeAndEnter(Named<SpinEdit>("Line Rate"), "5001");
    EXPECT_EQ(Sent(), (Lines{"LR=5001", "BL?"}));
    EXPECT_EQ(black->EditText(), "30");
    EXPECT_EQ(StatusText("StatusLineOutcome"), "LR=5001 taken");

    // Passing through a field sends nothing and tells nothing; a value out of range is not sent
    // and the status line says why.
    auto* gain = Named<SpinEdit>("Gain Level");
    const QString held = gain->EditText();
    gain->setFocus();
    QTest::keyClick(gain, Qt::Key_Tab);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(StatusText("StatusLineOutcome"), "LR=5001 taken");
    TypeAndEnter(gain, "5000");
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(gain->EditText(), held);
    EXPECT_EQ(StatusText("StatusLineOutcome"), "GA: 5000 is out of range 100 to 1600");
    // A long operation tells its own outcome, not the change before it.
    PressInWindow(gain, Qt::Key_F5, Qt::NoModifier);
    EXPECT_EQ(StatusText("StatusLineOutcome"), "Read the camera's settings");
}

TEST_F(PageBindingTest, ARefusedChangeShowsTheCamerasValueReadBack) {
    Open({"--refuse", "GA", "--refuse", "LS0", "--refuse", "EM"});
    Sent();
    auto* gain = Named<SpinEdit>("Gain Level");
    const QString before = gain->EditText();
    TypeAndEnter(gain, "400");
    EXPECT_EQ(Sent(), (Lines{"GA=400", "GA?"}));
    EXPECT_EQ(gain->EditText(), before);

    gain->stepBy(1);
    EXPECT_EQ(Sent(), (Lines{"GA=" + std::to_string(before.toInt() + 1), "GA?"}));
    EXPECT_EQ(gain->EditText(), before);
    EXPECT_EQ(gain->Position(), before.toInt());

    // A refused exposure mode is not kept on the page, nor written to a settings file.
    auto* mode = Named<QComboBox>("Exposure Mode");
    const QString held = mode->currentText();
    Choose(mode, held == "OFF" ? "Timed" : "OFF");
    EXPECT_EQ(Sent().size(), 2u);
    EXPECT_EQ(mode->currentText(), held);
    const std::string path = test.Folder().File("refused.cam");
    ASSERT_TRUE(CameraFile::SaveSettingsFile(test.Context(), path, CameraFile::Variant::AllData));
    std::ifstream saved(path);
    const std::string text((std::istreambuf_iterator<char>(saved)),
                           std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("EM=" + std::to_string(mode->findText(held))), std::string::npos);
    Sent();

    ShowPage(1);
    auto* line1 = Named<QComboBox>("Line1");
    const QString item = line1->currentText();
    Choose(line1, "Lval");
    EXPECT_EQ(Sent(), (Lines{"LS0=5", "LS0?"}));  // the item's value, not its position
    EXPECT_EQ(line1->currentText(), item);

    ASSERT_EQ(test.Notifier().Messages().size(), 4u);
    for (const MessageRequest& message : test.Notifier().Messages()) {
        EXPECT_EQ(message.caption, "Communication Error");
    }
}

TEST_F(PageBindingTest, ListsDriveWhatTheirNeighboursOffer) {
    Open();
    auto* exposure = Named<SpinEdit>("Exposure Time Raw");
    Choose(Named<QComboBox>("Exposure Mode"), "OFF");
    Sent();
    // Without timed exposure the time can be neither typed nor stepped.
    TypeAndEnter(exposure, "1234");
    exposure->stepBy(1);
    EXPECT_TRUE(Sent().empty());
    Choose(Named<QComboBox>("Exposure Mode"), "Timed");
    EXPECT_EQ(Sent(), Lines{"EM=1"});
    TypeAndEnter(exposure, "1234");
    EXPECT_EQ(Sent(), Lines{"PE=1234"});

    auto* onePush = Named<QPushButton>("One-push");
    auto* autoReset = Named<QComboBox>("Auto Reset Mode");
    Choose(Named<QComboBox>("Trigger Origin"), "External");
    EXPECT_TRUE(autoReset->isEnabled());
    EXPECT_FALSE(onePush->isEnabled());
    EXPECT_FALSE(Named<SpinEdit>("Auto Line rate ref")->isEnabled());
    Choose(Named<QComboBox>("Trigger Origin"), "Internal");
    EXPECT_FALSE(autoReset->isEnabled());
    EXPECT_FALSE(onePush->isEnabled());  // the exposure is still timed
    Choose(Named<QComboBox>("Exposure Mode"), "OFF");
    EXPECT_TRUE(onePush->isEnabled());
    EXPECT_TRUE(Named<SpinEdit>("Auto Line rate ref")->isEnabled());

    ShowPage(1);
    auto* gamma = Named<SpinEdit>("Gamma Selector");
    auto* openLut = Named<QPushButton>("Open LUT Table");
    Choose(Named<QComboBox>("LUT selector"), "Gamma");
    EXPECT_TRUE(gamma->isVisible());
    EXPECT_FALSE(openLut->isEnabled());
    Choose(Named<QComboBox>("LUT selector"), "LUT");
    EXPECT_FALSE(gamma->isVisible());
    EXPECT_TRUE(openLut->isEnabled());

    auto* recalibrate = Named<QPushButton>("Recalibrate Shading");
    Choose(Named<QComboBox>("Shading Correction Mode"), "User Area");
    EXPECT_TRUE(recalibrate->isEnabled());
    Choose(Named<QComboBox>("Shading Correction Mode"), "Factory Area");
    EXPECT_FALSE(recalibrate->isEnabled());
    EXPECT_TRUE(test.Notifier().Messages().empty());
}

TEST_F(PageBindingTest, ACameraBaudRateChangeMovesBothEndsAndTheLinkKeepsTalking) {
    Open();
    ShowPage(1);
    Sent();
    Choose(Named<QComboBox>("Baud Rate"), "38400bps");
    EXPECT_EQ(Sent(), (Lines{"CBDRT?", "CBDRT=4", "CBDRT=4"}));
    EXPECT_EQ(test.Context().Get<CameraPort>().GetBaudRate(), 38400);
    // Choosing the item a list shows already sends nothing, not even the question.
    Choose(Named<QComboBox>("Baud Rate"), "38400bps");
    EXPECT_EQ(Sent(), Lines{});
    ShowPage(0);
    TypeAndEnter(Named<SpinEdit>("Gain Level"), "500");
    EXPECT_EQ(Sent(), Lines{"GA=500"});
    EXPECT_TRUE(test.Notifier().Messages().empty());
}

TEST_F(PageBindingTest, AnUnconfirmedCameraBaudRateTakesBothEndsBackToTheOldRate) {
    // The camera answers 31 lines at start-up and the question and the set of the change; the
    // answer to the confirmation at the new rate is lost.
    Open({"--drop-every", "34"});
    ShowPage(1);
    auto* rates = Named<QComboBox>("Baud Rate");
    Sent();
    Choose(rates, "38400bps");
    EXPECT_EQ(Sent(), (Lines{"CBDRT?", "CBDRT=4", "CBDRT=4", "CBDRT=1"}));
    EXPECT_EQ(test.Context().Get<CameraPort>().GetBaudRate(), 9600);
    EXPECT_EQ(rates->currentText(), "9600bps");
    ShowPage(0);
    TypeAndEnter(Named<SpinEdit>("Gain Level"), "500");
    EXPECT_EQ(Sent(), Lines{"GA=500"});
}

TEST_F(PageBindingTest, AValueTheCameraDidNotTellShowsADashAndIsNeitherSentNorSaved) {
    Open({"--garbage-every", "10"});  // three of the start-up's answers are garbled
    ControlTable& table = test.Context().Get<ControlTable>();
    std::vector<std::string> unknown;
    SpinEdit* unknownEdit = nullptr;
    for (const ControlEntry& row : table.Entries()) {
        if (row.readBack && row.paramClass == kUserParam && row.state != ValueState::Told) {
            unknown.push_back(Command::GetMnemonic(row.cmdId));
            auto* edit = window->findChild<SpinEdit*>(
                QString::fromStdString(ControlIds::ObjectName(row.ctrlId)));
            if (edit != nullptr) {
                EXPECT_EQ(edit->EditText(), "-") << unknown.back();
                unknownEdit = edit;
            }
        }
    }
    ASSERT_EQ(unknown.size(), 3u);
    ASSERT_NE(unknownEdit, nullptr);
    Sent();
    unknownEdit->setFocus();
    QTest::keyClick(unknownEdit, Qt::Key_Return);
    QTest::keyClick(unknownEdit, Qt::Key_Up);
    EXPECT_EQ(Sent(), Lines{}) << "Enter and a step on a dash send nothing";

    // A save names what it would leave out and writes nothing unless the operator agrees.
    const std::string path = test.Folder().File("camera.cam");
    test.Files().QueueAnswer(path);
    test.Notifier().Clear();
    test.Notifier().QueueAnswer(MessageAnswer::No);
    window->Logic().OnMenuCommand(MenuIds::kSaveAllData);
    ASSERT_EQ(test.Notifier().Messages().size(), 1u);
    for (const std::string& mnemonic : unknown) {
        EXPECT_NE(test.Notifier().Messages()[0].text.find(mnemonic), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(PageBindingTest, ReadButtonsAndTheLineRateShowWhatTheCameraSays) {
    Open();
    TypeAndEnter(Named<SpinEdit>("Line Rate"), "100");
    EXPECT_EQ(Text(ControlIds::kLinePeriodText)->text(), "1.00us");
    EXPECT_EQ(Text(ControlIds::kLineFrequencyText)->text(), "1000000.0000hz");
    TypeAndEnter(Named<SpinEdit>("Line Rate"), "0");
    EXPECT_EQ(Text(ControlIds::kLineFrequencyText)->text(), "-");
    Sent();
    Named<QPushButton>("Read Exposure limits")->click();
    EXPECT_EQ(Sent(), (Lines{"PEMAX?", "PEMIN?"}));
    EXPECT_NE(Text(ControlIds::kExposureMaxText)->text(), "-");
}

TEST_F(PageBindingTest, TheMouseWheelReachesOnlyTheControlWithTheFocus) {
    Open();
    auto* pattern = Named<QComboBox>("Test Pattern");
    auto* black = Named<SpinEdit>("Black Level");
    Named<QComboBox>("Trigger Origin")->setFocus();
    const QString item = pattern->currentText();
    const QString level = black->EditText();
    Sent();
    // Rolling over controls on the way down the page changes none of them.
    RollDown(pattern);
    RollDown(black);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(pattern->currentText(), item);
    EXPECT_EQ(black->EditText(), level);

    black->setFocus();
    RollDown(black);
    EXPECT_EQ(Sent(), Lines{"BL=" + std::to_string(level.toInt() - 1)});
}

TEST_F(PageBindingTest, EnterAndEscapeInAControlNeverCloseTheWindow) {
    Open();
    auto* gain = Named<QAbstractSpinBox>("Gain Level");
    TypeAndEnter(gain, "400");
    QTest::keyClick(gain, Qt::Key_Escape);

    auto* list = Named<QComboBox>("Test Pattern");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    QTest::keyClick(list, Qt::Key_Escape);

    auto* button = Named<QPushButton>("One-push");
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Return);
    QTest::keyClick(button, Qt::Key_Escape);

    EXPECT_FALSE(AskedToClose());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(PageBindingTest, BrowsingAListWithTheKeyboardSendsNothingUntilAnItemIsChosen) {
    Open();
    ShowPage(1);
    auto* rates = Named<QComboBox>("Baud Rate");
    const QString held = rates->currentText();
    Sent();
    // Down on the closed list opens it rather than sending the next rate.
    rates->setFocus();
    QTest::keyClick(rates, Qt::Key_Down);
    QAbstractItemView* popup = rates->view();
    EXPECT_TRUE(popup->isVisible());
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Escape);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(rates->currentText(), held);
    EXPECT_TRUE(Sent().empty());
    EXPECT_FALSE(AskedToClose());

    auto* pattern = Named<QComboBox>("Test Pattern");
    pattern->setFocus();
    QTest::keyClick(pattern, Qt::Key_Down);
    QTest::keyClick(pattern->view(), Qt::Key_Down);
    QTest::keyClick(pattern->view(), Qt::Key_Return);
    EXPECT_EQ(Sent().size(), 1u) << "Enter in the open list chooses";
    EXPECT_TRUE(window->isVisible());
}

TEST_F(PageBindingTest, UndoAndRedoSendATypedValueAndAListChoiceBackAndAgain) {
    Open();
    auto* gain = Named<SpinEdit>("Gain Level");
    auto* pattern = Named<QComboBox>("Test Pattern");
    const QString gainBefore = gain->EditText();
    const QString itemBefore = pattern->currentText();
    Sent();
    TypeAndEnter(gain, "400");
    Choose(pattern, "Grey Pattern");
    EXPECT_EQ(Sent(), (Lines{"GA=400", "TS=2"}));
    // The open menu names what each item would send, and greys the one with nothing to send.
    QMenu* settings = nullptr;
    for (QMenu* menu : window->findChildren<QMenu*>()) {
        settings = menu->title() == "Settings(&S)" ? menu : settings;
    }
    ASSERT_NE(settings, nullptr);
    const auto openMenu = [&] {
        settings->popup(QPoint(0, 0));
        QStringList items;
        for (QAction* action : settings->actions()) {
            if (action->text().contains("change")) {
                items << action->text() + (action->isEnabled() ? "" : " (grey)");
            }
        }
        settings->hide();
        return items;
    };
    EXPECT_EQ(openMenu(),
              (QStringList{"&Undo change (TS=" + itemBefore + ")", "Re&do change (grey)"}));

    // Ctrl+Z from inside an edit goes to the camera, not to the edit's text.
    PressInWindow(gain, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Sent(), Lines{"TS=" + std::to_string(pattern->findText(itemBefore))});
    EXPECT_EQ(pattern->currentText(), itemBefore);
    PressInWindow(gain, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Sent(), Lines{"GA=" + gainBefore.toStdString()});
    EXPECT_EQ(gain->EditText(), gainBefore);
    EXPECT_EQ(StatusText("StatusLineOutcome"), QString("Undo: GA=%1 taken").arg(gainBefore));
    PressInWindow(gain, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(openMenu(), (QStringList{"&Undo change (grey)", "Re&do change (GA=400)"}));
    PressInWindow(gain, Qt::Key_Z, Qt::ControlModifier);  // the closed menu's key still answers
    EXPECT_EQ(StatusText("StatusLineOutcome"), "Nothing to undo");

    PressInWindow(gain, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Sent(), Lines{"GA=400"});
    EXPECT_EQ(gain->EditText(), "400");
    // A new change ends what could be redone.
    Choose(pattern, "White");
    Sent();
    PressInWindow(gain, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(Sent().empty());
    EXPECT_TRUE(test.Notifier().Messages().empty());
}

TEST_F(PageBindingTest, ARefusedUndoSaysSoAndKeepsItsPlace) {
    Open({"--refuse", "GA"});
    auto* gain = Named<SpinEdit>("Gain Level");
    const QString shown = gain->EditText();
    // As a change the camera took before it began to refuse gains would leave it.
    test.Context().Get<ChangeHistory>().Record({ControlIds::kGainLevel, 300, shown.toInt()});
    Sent();
    PressInWindow(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Sent(), (Lines{"GA=300", "GA?"}));
    EXPECT_EQ(gain->EditText(), shown);
    EXPECT_TRUE(StatusText("StatusLineOutcome").startsWith("Undo: GA=300 refused"));
    PressInWindow(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Sent(), (Lines{"GA=300", "GA?"}));
}

TEST_F(PageBindingTest, AChangeIsMarkedNotStoredUntilAStoreAndTheCloseQuestionCountsIt) {
    Open();
    const std::string question = "Are you sure to terminate the Camera Control Tool ?";
    EXPECT_FALSE(MarkedNotStored());
    TypeAndEnter(Named<SpinEdit>("Gain Level"), "400");
    EXPECT_TRUE(MarkedNotStored());
    EXPECT_EQ(CloseQuestion(),
              question + "\n1 parameter changed since the last store is not stored to flash.");
    // Enter keeps the window open while a change would be lost.
    EXPECT_EQ(test.Notifier().Messages().back().defaultAnswer, MessageAnswer::No);
    ASSERT_TRUE(FlashAreas::StoreArea(test.Context(), 1));
    EXPECT_FALSE(MarkedNotStored());
    EXPECT_EQ(CloseQuestion(), question);
    EXPECT_EQ(test.Notifier().Messages().back().defaultAnswer, MessageAnswer::Yes);
}

TEST_F(PageBindingTest, CompareWithFileListsTheTwoDifferencesFirstAndLoadsOnlyThose) {
    Open();
    // The camera's own file, with the gain and the analog base gain changed.
    std::string text = CameraFile::SettingsFileText(test.Context(), CameraFile::Variant::AllData);
    ControlTable& table = test.Context().Get<ControlTable>();
    const std::string gain = std::to_string(table.GetDataValue(ControlIds::kGainLevel));
    const std::string pattern = std::to_string(table.GetDataValue(ControlIds::kAnalogBaseGain));
    const QString patternItem = Named<QComboBox>("Analog Base Gain All")->currentText();
    for (const auto& [from, to] :
         {std::pair<std::string, std::string>{"\nGA=" + gain + "\n", "\nGA=700\n"},
          {"\nABG=" + pattern + "\n", "\nABG=2\n"}}) {
        const std::size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
    }
    const std::string path = test.Folder().File("day.cam");
    std::ofstream(path, std::ios::binary) << text;

    QStringList marked;
    int rows = 0;
    bool reviewed = false;
    auto* poll = new QTimer(window.get());
    QObject::connect(poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<CompareDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        poll->stop();
        QTableWidget* table = dialog->Table();
        rows = table->rowCount();
        for (int row = 0; row < rows; ++row) {
            if (!table->item(row, 0)->text().isEmpty()) {
                marked << QStringList{table->item(row, 3)->text(), table->item(row, 4)->text(),
                                      table->item(row, 5)->text()}
                              .join(' ');
            }
        }
        reviewed = true;
        dialog->LoadButton()->click();
    });
    poll->start(10);
    test.Files().QueueAnswer(path);
    Sent();
    window->Logic().OnMenuCommand(MenuIds::kCompareWithFile);
    ASSERT_TRUE(reviewed);
    EXPECT_EQ(marked, (QStringList{"GA " + QString::fromStdString(gain) + " 700",
                                   "ABG " + patternItem + " 9.54dB"}));
    EXPECT_GT(rows, 20);
    const Lines sent = Sent();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(Lines(sent.end() - 2, sent.end()), (Lines{"GA=700", "ABG=2"}));
    EXPECT_EQ(Lines(sent.begin(), sent.end() - 2), Concat({{"MD?"}, kUserReads}));
    EXPECT_EQ(Named<SpinEdit>("Gain Level")->EditText(), "700");
}

}  // namespace
