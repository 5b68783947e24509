#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/WidgetServices.h"
#include "controls/CameraModel.h"
#include "controls/ControlIds.h"
#include "controls/ControlTable.h"
#include "core/Notifier.h"
#include "core/OperatorDialogs.h"
#include "operations/CameraFile.h"
#include "operations/MessageLog.h"
#include "tests/support/FastWaitClock.h"
#include "tests/support/ScopedComPort.h"
#include "tests/support/SimProcess.h"
#include "tests/support/TestContext.h"
#include "transport/CameraPort.h"
#include "widgets/SpinEdit.h"
#include "widgets/StatusStrip.h"

namespace {

// The main window coming up on COM1.
class MainWindowStartupTest : public testing::Test {
protected:
    void Open(const std::string& device) {
        com1 = std::make_unique<ScopedComPort>(1, device);
        window = std::make_unique<MainWindow>(test.Context());
        window->Initialise();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->ConnectAtStart();
    }

    TestContext test{FastWaitClock::After(ProvideWidgetServices)};
    std::unique_ptr<ScopedComPort> com1;
    std::unique_ptr<MainWindow> window;
};

// The operator's answers to the choices a flow offers, and the comparisons shown.
class ScriptedDialogs : public OperatorDialogs {
public:
    std::optional<std::string> Choose(const ChoiceRequest& request) override {
        asked.push_back(request.items);
        return answer;
    }
    void ShowAbout() override {}
    void EditCameraId() override {}
    void EditUserId() override {}
    bool ReviewComparison(const ComparisonRequest& request) override {
        shown.push_back(request.summary);
        return false;
    }
    std::optional<std::string> answer;
    std::vector<std::vector<std::string>> asked;
    std::vector<std::string> shown;
};

// A .cam file opened from the file manager: the operator compares it with the camera, or loads
// it, or neither.
TEST_F(MainWindowStartupTest, AGivenFileIsComparedOrLoadedAsTheOperatorChooses) {
    ScriptedDialogs dialogs;
    test.Context().ProvideExternal<OperatorDialogs>(dialogs);
    SimProcess camera;
    ASSERT_TRUE(camera.Start({"--no-pacing"}));
    Open(camera.DevicePath());
    ControlTable& table = test.Context().Get<ControlTable>();
    const std::string gain = std::to_string(table.GetDataValue(ControlIds::kGainLevel));
    std::string text = CameraFile::SettingsFileText(test.Context(), CameraFile::Variant::AllData);
    const std::string line = "\nGA=" + gain + "\n";
    ASSERT_NE(text.find(line), std::string::npos);
    text.replace(text.find(line), line.size(), "\nGA=700\n");
    const std::string path = test.Folder().File("day.cam");
    std::ofstream(path) << text;

    window->OpenGivenFile(test.Folder().File("gone.cam"));
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_EQ(test.Notifier().Texts().size(), 1u);

    dialogs.answer = std::nullopt;
    window->OpenGivenFile(path);
    EXPECT_EQ(dialogs.asked,
              (std::vector<std::vector<std::string>>{{kCompareGivenFile, kLoadGivenFile}}));
    EXPECT_TRUE(dialogs.shown.empty());

    dialogs.answer = kCompareGivenFile;
    window->OpenGivenFile(path);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].find("day.cam"), std::string::npos) << dialogs.shown[0];
    EXPECT_EQ(table.GetDataValue(ControlIds::kGainLevel), std::stoi(gain));

    dialogs.answer = kLoadGivenFile;
    window->OpenGivenFile(path);
    EXPECT_EQ(table.GetDataValue(ControlIds::kGainLevel), 700);

    // Kept for File > Recent Files; choosing it there loads it again, as File > Open does.
    text.replace(text.find("\nGA=700\n"), 8, "\nGA=650\n");
    std::ofstream(path) << text;
    QMenu* file = window->menuBar()->actions().first()->menu();
    emit file->aboutToShow();
    QMenu* recent = window->findChild<QMenu*>("RecentFiles");
    ASSERT_EQ(recent->actions().size(), 1);
    // The path as the system writes it (backslashes on Windows).
    EXPECT_EQ(recent->actions()[0]->toolTip(),
              QDir::toNativeSeparators(QString::fromStdString(path)));
    recent->actions()[0]->trigger();
    EXPECT_EQ(table.GetDataValue(ControlIds::kGainLevel), 650);
}

TEST_F(MainWindowStartupTest, ComesUpOnlineWithTheCamerasCurrentArea) {
    SimProcess camera;
    ASSERT_TRUE(camera.Start({"--no-pacing"}));
    Open(camera.DevicePath());
    EXPECT_TRUE(test.Context().Get<StatusStrip>().IsOnline());
    EXPECT_EQ(window->Logic().CurrentArea, 0);
    EXPECT_EQ(test.Context().Get<CameraModel>().Text(), "RV-2410M-TCL");
    EXPECT_TRUE(test.Notifier().Messages().empty());
    // The read enables what the camera's state allows: the gain takes typing, One-push a press.
    auto* gain = window->findChild<SpinEdit*>(
        QString::fromStdString(ControlIds::ObjectName(ControlIds::kGainLevel)));
    ASSERT_NE(gain, nullptr);
    EXPECT_TRUE(gain->isEnabled());
    EXPECT_FALSE(gain->findChild<QLineEdit*>()->isReadOnly());
    auto* onePush = window->findChild<QWidget*>(
        QString::fromStdString(ControlIds::ObjectName(ControlIds::kOnePush)));
    ASSERT_NE(onePush, nullptr);
    EXPECT_TRUE(onePush->isEnabled());
}

TEST_F(MainWindowStartupTest, UtilityStaysGreyInUserModeAfterTheCameraRead) {
    SimProcess camera;
    ASSERT_TRUE(camera.Start({"--no-pacing"}));
    Open(camera.DevicePath());
    // The read at start-up disables the window for its progress and enables it again.
    EXPECT_FALSE(window->UtilityMenu()->menuAction()->isEnabled());
    EXPECT_FALSE(window->UtilityMenu()->isEnabled());
}

TEST_F(MainWindowStartupTest, WithoutADeviceTheWindowComesUpOfflineAfterTheSearch) {
#ifdef _WIN32
    GTEST_SKIP() << "Wine opens /dev/ttyS0 for a COM1 whose link leads nowhere";
#endif
    Open(test.Folder().File("no-such-device"));
    EXPECT_FALSE(test.Context().Get<StatusStrip>().IsOnline());
    EXPECT_TRUE(window->isVisible());
    // The stored link, then each of the five search rates reopens the port and is refused
    // alike: the operator is told once, and once at the end how often it came again.
    const std::string device = test.Folder().File("no-such-device");
    const std::string reason = device + ": No such file or directory";
    const std::string driver = "Failed to initialize COM1 port!\nError in CreateFile()\n" + reason;
    EXPECT_EQ(
        test.Notifier().Texts(),
        (std::vector<std::string>{driver, "Failed to initialize!",
                                  "The message \"Failed to initialize COM1 port! Error in "
                                  "CreateFile() " +
                                      reason + "\" came 5 more times; see the message log."}));
    int logged = 0;
    const LineLog& log = test.Context().Get<MessageLog>().Lines();
    for (std::size_t i = 0; i < log.Size(); ++i) {
        logged += log.Line(i).substr(MessageLog::kStampLength) ==
                  std::string(kApplicationCaption) +
                      ": Failed to initialize COM1 port! Error in CreateFile() " + reason;
    }
    EXPECT_EQ(logged, 5);
    EXPECT_EQ(test.Context().Get<CameraPort>().GetBaudRate(), 9600);  // the search ends at 9600
}

}  // namespace
