#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "app/WidgetServices.h"
#include "core/ControlMode.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/CameraIdDialog.h"
#include "dialogs/UserIdDialog.h"
#include "protocol/CommandEngine.h"
#include "protocol/CommandIds.h"
#include "tests/support/ScopedEnvironment.h"
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
        com1 = std::make_unique<ScopedEnvironment>("RVTOOL_COM1", camera.DevicePath());
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
    QLineEdit* Edit(QWidget* dialog, int id) {
        return dialog->findChild<QLineEdit*>(QString::number(id));
    }
    QString CameraIdShown(QWidget* dialog) {
        QString shown;
        for (int id : {1029, 1030, 1031, 1032, 1033, 1034, 1035, 1036, 1037, 1042}) {
            shown += Edit(dialog, id)->text() + "|";
        }
        return shown;
    }
    // What the camera received since the last call.
    std::vector<std::string> Sent() {
        std::vector<std::string> all = ReceivedLines(transcript);
        std::vector<std::string> fresh(all.begin() + static_cast<long>(seen), all.end());
        seen = all.size();
        return fresh;
    }

    TestContext test{ProvideWidgetServices};
    SimProcess camera;
    std::string transcript;
    std::size_t seen = 0;
    std::unique_ptr<ScopedEnvironment> com1;
};

TEST_F(IdentityDialogsTest, TheAboutDialogShowsEachDeviceVersionPartWhole) {
    ASSERT_TRUE(
        test.Context().Get<CommandEngine>().SetString(CommandIds::kDV00, "10.20.3.4", 5000));
    auto about = Show<AboutDialog>();
    QStringList parts;
    for (int id : {1149, 1150, 1151, 1152}) {
        QLineEdit* part = Edit(about.get(), id);
        parts << part->text();
        EXPECT_GE(part->width(), part->fontMetrics().horizontalAdvance(part->text()))
            << "the part fits its box";
    }
    EXPECT_EQ(parts, (QStringList{"10", "20", "3", "4"}));
}

}  // namespace
