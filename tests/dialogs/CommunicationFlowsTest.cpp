#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/CancelToken.h"
#include "core/ControlMode.h"
#include "core/ProgressSink.h"
#include "core/StatusLine.h"
#include "presenters/CommunicationLogic.h"
#include "presenters/CommunicationView.h"
#include "protocol/CommandEngine.h"
#include "protocol/CommandIds.h"
#include "tests/support/FakeMainView.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/RecordingServices.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/ScriptedCamera.h"
#include "tests/support/SimProcess.h"
#include "tests/support/TestContext.h"
#include "transport/CameraPort.h"
#include "transport/ComPortDriver.h"

namespace {

// The dialog's controls as the flows leave them.
class RecordingCommunicationView : public CommunicationView {
public:
    void SelectCategory(int32_t value) override { category = value; }
    void ShowPorts(const std::vector<PortItem>& items) override {
        ports = items;
        port = -1;
    }
    void SelectPort(int32_t index) override { port = index; }
    void SelectBaudIndex(int32_t index) override { baudIndex = index; }
    void ShowBaudRateControls(bool shown) override { baudShown = shown; }
    void ShowCurrentAreaName(const std::string& name) override { areaName = name; }
    int32_t SelectedArea() override { return area; }
    void SelectArea(int32_t value) override { area = value; }
    void EnableStore(bool enable) override { storeEnabled = enable; }

    int32_t category = -1;
    std::vector<PortItem> ports;
    int32_t port = -1;
    int32_t baudIndex = -1;
    bool baudShown = true;
    std::string areaName;
    int32_t area = -1;
    bool storeEnabled = false;
};

class RecordingProgress : public ProgressSink {
public:
    void ShowProgress(OperatorWindow* window, const std::string& message) override {
        owner = window;
        shown.push_back(message);
    }
    void SetProgressMessage(const std::string& message) override { messages.push_back(message); }
    // The operator presses "Cancel" when the bar is set for the cancelAt-th time.
    void SetProgress(int) override {
        if (++steps == cancelAt && cancel != nullptr) {
            cancel->Request();
        }
    }
    void EndProgress() override { ++ended; }
    void StopProgress() override { ++stopped; }
    OperatorWindow* owner = nullptr;
    std::vector<std::string> shown;
    std::vector<std::string> messages;
    int ended = 0;
    int stopped = 0;
    int steps = 0;
    int cancelAt = 0;
    CancelToken* cancel = nullptr;
};

class KeptStatusLine : public StatusLine {
public:
    void ShowOutcome(const std::string& text) override { outcome = text; }
    void ShowLink(const std::string&) override {}
    std::string outcome;
};

class CommunicationFlowsTest : public testing::Test {
protected:
    CommunicationFlowsTest() {
        test.Context().ProvideExternal<ProgressSink>(progress);
        test.Context().ProvideExternal<StatusLine>(statusLine);
    }

    // COM<n> opens a file that does not exist.
    void Unplug(int number) {
        unplugged.push_back(std::make_unique<ScopedEnvironment>(
            "RVTOOL_COM" + std::to_string(number), test.Folder().File("none")));
    }
    std::vector<std::string> TextsCaptioned(const std::string& caption) {
        std::vector<std::string> texts;
        for (const MessageRequest& message : test.Notifier().Messages()) {
            if (message.caption == caption) {
                texts.push_back(message.text);
            }
        }
        return texts;
    }

    TestContext test;
    RecordingServices services{test.Context()};
    RecordingProgress progress;
    KeptStatusLine statusLine;
    RecordingCommunicationView view;
    FakeMainView mainView;
    CommunicationLogic logic{test.Context(), view, mainView};
    std::vector<std::unique_ptr<ScopedEnvironment>> unplugged;
};

TEST_F(CommunicationFlowsTest, AutoWithoutACameraTriesSixteenPortsThenSaysSoInOneBox) {
    for (int n = 1; n <= 16; ++n) {
        Unplug(n);
    }
    logic.OnAuto();
    // One box: the specified words, then every port that did not open, one line per reason.
    const std::vector<std::string> texts = test.Notifier().Texts();
    ASSERT_EQ(texts.size(), 1u);
    ASSERT_EQ(TextsCaptioned("Communication Error").size(), 1u);
    EXPECT_EQ(texts[0].rfind("No answer from Camera! (Timeout error)\nCheck power on "
                             "Camera or serial cable connection.\n\nPorts that could not be "
                             "opened:\nNo such file or directory: COM1 (" +
                                 test.Folder().File("none") + "), COM2 (",
                             0),
              0u)
        << texts[0];
    EXPECT_NE(texts[0].find(", COM16 ("), std::string::npos);
    ASSERT_FALSE(services.onlineStatus.reports.empty());
    EXPECT_FALSE(services.onlineStatus.reports.back());
    EXPECT_EQ(test.Context().Get<CameraPort>().GetPortIndex(), 15) << "left on the last port";
    EXPECT_EQ(view.port, 15) << "and the list shows it";
}

TEST_F(CommunicationFlowsTest, AutoCancelledStopsAfterThePortInFlightAndGoesBackToThePortInUse) {
    SimProcess camera;
    ASSERT_TRUE(camera.Start({"--no-pacing"}));
    for (int n = 1; n <= 16; ++n) {
        Unplug(n);
    }
    ScopedEnvironment com5("RVTOOL_COM5", camera.DevicePath());
    CameraPort& port = test.Context().Get<CameraPort>();
    ASSERT_TRUE(port.SelectPort(4));
    progress.cancel = &test.Context().Get<CancelToken>();
    progress.cancelAt = 3;
    logic.OnAuto();
    EXPECT_EQ(progress.messages.back(), "Looking for a camera on COM3");
    EXPECT_EQ(progress.stopped, 1) << "a cancelled search shows no full bar";
    EXPECT_EQ(progress.ended, 0);
    EXPECT_TRUE(test.Notifier().Texts().empty());
    EXPECT_EQ(statusLine.outcome, "Search cancelled after 3 ports: no camera answered");
    EXPECT_EQ(port.GetPortIndex(), 4) << "back on the port used before";
    EXPECT_EQ(view.port, 4) << "and the list shows it";
    int32_t area = 0;
    EXPECT_TRUE(test.Context().Get<CommandEngine>().GetValue(CommandIds::kEA, area, 1000))
        << "the camera there answers";
}

TEST_F(CommunicationFlowsTest, AutoFindsTheCameraOnCom3GoesOnlineAndReadsIt) {
    SimProcess camera;
    ASSERT_TRUE(camera.Start({"--no-pacing"}));
    Unplug(1);
    Unplug(2);
    ScopedEnvironment com3("RVTOOL_COM3", camera.DevicePath());
    logic.OnAuto();
    EXPECT_EQ(view.port, 2);
    EXPECT_EQ(test.Context().Get<CameraPort>().GetPortIndex(), 2);
    ASSERT_FALSE(services.onlineStatus.reports.empty());
    EXPECT_TRUE(services.onlineStatus.reports.back());
    const std::vector<std::string>& sent = services.messageLog.lines;
    EXPECT_NE(std::find(sent.begin(), sent.end(), "GA?"), sent.end()) << "the pages were read";
    EXPECT_TRUE(test.Notifier().Texts().empty()) << "COM1 and COM2 went to the log, once found";
    EXPECT_NE(std::find_if(sent.begin(), sent.end(),
                           [](const std::string& line) {
                               return line.find("Failed to initialize COM2 port!") !=
                                      std::string::npos;
                           }),
              sent.end());
}

TEST_F(CommunicationFlowsTest, GetAreaNamesTheAreaTheCameraReports) {
    ScriptedCamera camera;
    camera.BindTo(1);
    ASSERT_TRUE(test.Context().Get<CameraPort>().SelectPort(0));
    const auto answer = [&](const std::string& reply) {
        camera.SetScript([reply](const std::string&) { return reply + "\r\n"; });
        logic.OnGetArea();
        return view.areaName;
    };
    EXPECT_EQ(answer("EA=0"), "Factory Data");
    EXPECT_EQ(answer("EA=2"), "User 2 Data");
    EXPECT_EQ(answer("EA=3"), "User 3 Data");
    EXPECT_EQ(answer("EA=4"), "Unkown");
    EXPECT_EQ(answer("ERROR"), "Unkown") << "a failed query";
}

TEST_F(CommunicationFlowsTest, StoreUsesTheFactoryCommandOnlyForTheFactoryArea) {
    ScriptedCamera camera;
    camera.BindTo(1);
    camera.SetScript([](const std::string&) { return "COMPLETE\r\n"; });
    ASSERT_TRUE(test.Context().Get<CameraPort>().SelectPort(0));
    test.Context().Get<ControlMode>().Set(1);  // the factory area is stored in factory mode only
    view.area = 2;
    logic.OnStore();
    view.area = 0;
    logic.OnStore();
    EXPECT_EQ(camera.ReceivedLines(), (std::vector<std::string>{"SA=2", "SA00=0"}));
    EXPECT_EQ(progress.shown, (std::vector<std::string>(2, "Now, Storing camera data.")));
    EXPECT_EQ(progress.owner, &view);
    EXPECT_EQ(progress.ended, 2);
    EXPECT_EQ(test.Notifier().Texts(),
              (std::vector<std::string>(2, "Completed to store current setting data!")));
}

TEST_F(CommunicationFlowsTest, APortTheUserMayNotOpenIsReportedWithHowToGetAccess) {
    const group* dialout = getgrnam("dialout");
    if (dialout == nullptr) {
        GTEST_SKIP() << "no group dialout here";
    }
    const std::string device = test.Folder().File("ttyS9");
    std::ofstream(device).close();
    // Open to the group only, like a serial port; the test's user is not in it.
    if (chown(device.c_str(), geteuid(), dialout->gr_gid) != 0) {
        GTEST_SKIP() << "cannot give the device to dialout here";
    }
    ASSERT_EQ(chmod(device.c_str(), 0060), 0);
    ASSERT_EQ(chmod(test.Folder().Path().c_str(), 0755), 0);
    ScopedEnvironment com1("RVTOOL_COM1", device);
    CameraPort& port = test.Context().Get<CameraPort>();
    test.Context().Get<ComPortDriver>();  // made while the test still has its own rights
    {
        OrdinaryUser user;
        if (user.Failed()) {
            GTEST_SKIP() << "cannot take an ordinary user's rights here";
        }
        EXPECT_FALSE(port.SelectPort(0));
    }
    const std::string advice = "No permission to open " + device +
                               ": add your user to the group \"dialout\" that owns it (sudo "
                               "usermod -aG dialout $USER), then log in again.";
    EXPECT_EQ(test.Notifier().Texts(),
              (std::vector<std::string>{"Failed to initialize COM1 port!\nError in CreateFile()\n" +
                                        device + ": Permission denied\n" + advice}));
}

}  // namespace
