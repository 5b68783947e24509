#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTest>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/StatusStrip.h"
#include "app/WidgetServices.h"
#include "controls/CameraModel.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/SimProcess.h"
#include "tests/support/TestContext.h"
#include "transport/CameraPort.h"

namespace {

// The main window coming up on COM1.
class MainWindowStartupTest : public testing::Test {
protected:
    void Open(const std::string& device) {
        com1 = std::make_unique<ScopedEnvironment>("RVTOOL_COM1", device);
        window = std::make_unique<MainWindow>(test.Context());
        window->Initialise();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->ConnectAtStart();
    }

    TestContext test{ProvideWidgetServices};
    std::unique_ptr<ScopedEnvironment> com1;
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
    Open(test.Folder().File("no-such-device"));
    EXPECT_FALSE(test.Context().Get<StatusStrip>().IsOnline());
    EXPECT_TRUE(window->isVisible());
    const std::vector<std::string> texts = test.Notifier().Texts();
    // The stored link, then each of the five search rates reopens the port and is refused.
    ASSERT_EQ(texts.size(), 7u);
    EXPECT_EQ(texts[1], "Failed to initialize!");
    for (std::size_t i : {0u, 2u, 3u, 4u, 5u, 6u}) {
        EXPECT_EQ(texts[i], "Failed to initialize COM1 port!\nError in CreateFile()") << i;
    }
    EXPECT_EQ(test.Context().Get<CameraPort>().GetBaudRate(), 9600);  // the search ends at 9600
}

}  // namespace
