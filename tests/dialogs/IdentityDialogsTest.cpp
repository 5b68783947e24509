#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "app/WidgetServices.h"
#include "core/ControlMode.h"
#include "core/OperatorDialogs.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/AreaSelectDialog.h"
#include "dialogs/CameraIdDialog.h"
#include "dialogs/UserIdDialog.h"
#include "operations/CameraIdentity.h"
#include "protocol/CommandEngine.h"
#include "protocol/CommandIds.h"
#include "tests/support/ScopedComPort.h"
#include "tests/support/SimProcess.h"
#include "tests/support/SimTranscript.h"
#include "tests/support/TestContext.h"
#include "transport/CameraPort.h"

namespace {

// The about, camera id and user id dialogs on the simulated camera, driven as an operator
// drives them.
class IdentityDialogsTest : public testing::Test {
protected:
    void SetUp() override {
        transcript = test.Folder().File("transcript");
        ASSERT_TRUE(camera.Start({"--no-pacing", "--transcript", transcript}));
        com1 = std::make_unique<ScopedComPort>(1, camera.DevicePath());
        ASSERT_TRUE(test.Context().Get<CameraPort>().Reopen());
    }

    template <class Dialog>
    std::unique_ptr<Dialog> Show() {
        auto dialog = std::make_unique<Dialog>(test.Context());
        dialog->show();
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        return dialog;
    }
    QLineEdit* Edit(QWidget* dialog, const QString& name) {
        return dialog->findChild<QLineEdit*>(name);
    }
    // The camera id's character box at position (1 to 10).
    QLineEdit* Box(QWidget* dialog, int position) {
        return Edit(dialog, "cameraIdCharacter" + QString::number(position));
    }
    std::string CameraIdShown(QWidget* dialog) {
        QString shown;
        for (int position = 1; position <= 10; ++position) {
            shown += Box(dialog, position)->text() + "|";
        }
        return shown.toStdString();
    }
    // What the camera received since the last call.
    std::vector<std::string> Sent() { return ReceivedSince(transcript, seen); }

    TestContext test{ProvideWidgetServices};
    SimProcess camera;
    std::string transcript;
    std::size_t seen = 0;
    std::unique_ptr<ScopedComPort> com1;
};

TEST_F(IdentityDialogsTest, TheAboutDialogShowsEachDeviceVersionPartWhole) {
    ASSERT_TRUE(
        test.Context().Get<CommandEngine>().SetString(CommandIds::kDV00, "10.20.3.4", 5000));
    auto about = Show<AboutDialog>();
    std::vector<std::string> parts;
    for (const char* name :
         {"deviceVersion1", "deviceVersion2", "deviceVersion3", "deviceVersion4"}) {
        QLineEdit* part = Edit(about.get(), name);
        parts.push_back(part->text().toStdString());
        EXPECT_GE(part->width(), part->fontMetrics().horizontalAdvance(part->text()))
            << "the part fits its box";
    }
    EXPECT_EQ(parts, (std::vector<std::string>{"10", "20", "3", "4"}));
}

// The licence and Qt's own are there to read; with no help file there is nothing to view.
TEST_F(IdentityDialogsTest, TheAboutDialogShowsTheLicenceAndOffersNoEmptyHelpFile) {
    auto about = Show<AboutDialog>();
    EXPECT_TRUE(
        about->findChild<QPlainTextEdit*>("licenceText")->toPlainText().startsWith("MIT License"));
    EXPECT_NE(about->findChild<QPushButton*>("aboutQt"), nullptr);
    ASSERT_EQ(about->findChild<QComboBox*>("helpFiles")->count(), 0);
    EXPECT_FALSE(about->findChild<QPushButton*>("helpFileView")->isEnabled());
}

TEST_F(IdentityDialogsTest, TypingOrPastingACameraIdFillsTheBoxesInTurn) {
    test.Context().Get<ControlMode>().Set(1);
    auto dialog = Show<CameraIdDialog>();
    QLineEdit* first = Box(dialog.get(), 1);
    first->setFocus();
    first->selectAll();
    for (QChar character : QString("RV24100042")) {
        QTest::keyClick(QApplication::focusWidget(), character.toLatin1());
    }
    EXPECT_EQ(CameraIdShown(dialog.get()), "R|V|2|4|1|0|0|0|4|2|");

    // A pasted id spreads from the box it goes into; what runs past the last box is dropped.
    QApplication::clipboard()->setText("XY7");
    QLineEdit* ninth = Box(dialog.get(), 9);
    ninth->setFocus();
    ninth->selectAll();
    QTest::keySequence(ninth, QKeySequence::Paste);
    EXPECT_EQ(CameraIdShown(dialog.get()), "R|V|2|4|1|0|0|0|X|Y|");
}

TEST_F(IdentityDialogsTest, EnterClosesTheIdDialogsAndSendsNothing) {
    test.Context().Get<ControlMode>().Set(1);
    auto cameraId = Show<CameraIdDialog>();
    Sent();
    QLineEdit* box = Box(cameraId.get(), 3);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_FALSE(cameraId->isVisible());
    EXPECT_EQ(cameraId->result(), QDialog::Accepted);

    auto userId = Show<UserIdDialog>();
    Sent();
    QLineEdit* edit = Edit(userId.get(), "userIdEdit");
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_FALSE(userId->isVisible());
    EXPECT_TRUE(Sent().empty());
    EXPECT_TRUE(test.Notifier().Messages().empty());
}

// Enter in the area dialog takes the item the flow selected (the area in use), not the first.
TEST_F(IdentityDialogsTest, TheAreaDialogOpensOnTheItemTheFlowSelected) {
    ChoiceRequest request;
    request.caption = "Load setting data";
    request.items = {"Factory", "User 1", "User 2", "User 3"};
    request.selected = 2;
    AreaSelectDialog dialog(test.Context(), request);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.ChosenItem(), "User 2");
}

// A robot or a screen reader presses the greyed Utility items all the same: the flows refuse.
TEST_F(IdentityDialogsTest, InUserModeTheFactoryIdentityFunctionsRefuseAndSendNothing) {
    for (const bool cameraId : {true, false}) {
        std::unique_ptr<QDialog> dialog;
        if (cameraId) {
            dialog = std::make_unique<CameraIdDialog>(test.Context());
        } else {
            dialog = std::make_unique<UserIdDialog>(test.Context());
        }
        dialog->show();
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->exec(), QDialog::Rejected);
    }
    auto about = Show<AboutDialog>();
    Sent();
    auto* saveDevice = about->findChild<QPushButton*>("saveDeviceVersion");
    ASSERT_NE(saveDevice, nullptr);
    EXPECT_FALSE(saveDevice->isEnabled());
    EXPECT_FALSE(CameraIdentity::SaveDeviceVersion(test.Context(), {"9", "9", "9", "9"}));
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(test.Notifier().Texts(),
              (std::vector<std::string>{
                  "Edit camera id is a factory function: switch to factory mode first. Nothing "
                  "was sent.",
                  "Edit user id is a factory function: switch to factory mode first. Nothing was "
                  "sent.",
                  "Save Dev Ver is a factory function: switch to factory mode first. Nothing was "
                  "sent."}));
}

// The camera's parser drops blanks and upper-cases letters; the user id is shown and written
// back as the camera holds it.
TEST_F(IdentityDialogsTest, AUserIdWithABlankIsShownAndSavedAsTheCameraHoldsIt) {
    ASSERT_TRUE(test.Context().Get<CommandEngine>().SetString(CommandIds::kUD, "Line A", 5000));
    auto about = Show<AboutDialog>();
    EXPECT_EQ(Edit(about.get(), "userIdEdit")->text(), "Line A");
    test.Context().Get<ControlMode>().Set(1);
    auto dialog = Show<UserIdDialog>();
    EXPECT_EQ(Edit(dialog.get(), "userIdEdit")->text(), "Line A");
    Sent();
    dialog->findChild<QPushButton*>("saveUserId")->click();
    EXPECT_EQ(Sent(), std::vector<std::string>{"UD=Line A"});
}

}  // namespace
