#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTest>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/WidgetServices.h"
#include "controls/CameraModel.h"
#include "core/Notifier.h"
#include "operations/MessageLog.h"
#include "tests/support/FastWaitClock.h"
#include "tests/support/ScopedComPort.h"
#include "tests/support/SimProcess.h"
#include "tests/support/TestContext.h"
#include "transport/CameraPort.h"
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

TEST_F(MainWindowStartupTest, ComesUpOnlineWithTheCamerasCurrentArea) {
    SimProcess camera;
    ASSERT_TRUE(camera.Start({"--no-pacing"}));
    Open(camera.DevicePath());
    EXPECT_TRUE(test.Context().Get<StatusStrip>().IsOnline());
    EXPECT_EQ(window->Logic().CurrentArea, 0);
    EXPECT_EQ(test.Context().Get<CameraModel>().Text(), "RV-2410M-TCL");
    EXPECT_TRUE(test.Notifier().Messages().empty());
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
