#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <vector>

#include <algorithm>
#include <thread>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include "controls/CameraModel.h"
#include "core/StatusLine.h"
#include "operations/CameraConnection.h"
#include "operations/OutcomeText.h"
#include "operations/TerminalLogic.h"
#include "presenters/MainWindowLogic.h"
#include "protocol/CommandEngine.h"

#include "core/Notifier.h"
#include "core/SettingsStore.h"
#include "tests/support/FakeMainView.h"
#include "tests/support/FastWaitClock.h"
#include "tests/support/RecordingServices.h"
#include "tests/support/SimProcess.h"
#include "tests/support/TestContext.h"
#include "transport/CameraPort.h"

namespace {

// rvtool's start-up against the simulated camera on a pseudo terminal, as COM1.
class StartupConnectionTest : public testing::Test {
protected:
    void StartCamera(const std::vector<std::string>& args) {
        ASSERT_TRUE(camera.Start(args));
        setenv("RVTOOL_COM1", camera.DevicePath().c_str(), 1);
    }
    ~StartupConnectionTest() override { unsetenv("RVTOOL_COM1"); }

    SimProcess camera;
    TestContext test{FastWaitClock::UseIn};
    RecordingServices services{test.Context()};
};

TEST_F(StartupConnectionTest, ACameraAtTheStartRateIsFoundWithoutSearching) {
    StartCamera({"--baud", "9600", "--model", "RV-4820M-PTCL"});
    int32_t area = -1;
    EXPECT_TRUE(CameraConnection::ConnectCamera(test.Context(), area));
    EXPECT_EQ(area, 0);
    CameraModel& model = test.Context().Get<CameraModel>();
    EXPECT_EQ(model.Index(), 3);
    EXPECT_TRUE(model.Is8K());
    EXPECT_EQ(services.messageLog.lines,
              (std::vector<std::string>{"MD?", "MD=RV-4820M-PTCL", "EA?", "EA=0"}));
    EXPECT_EQ(services.onlineStatus.reports.back(), true);
    EXPECT_TRUE(test.Notifier().Messages().empty());
}

TEST_F(StartupConnectionTest, TheBaudSearchFindsACameraAt38400OnTheThirdTry) {
    StartCamera({"--baud", "38400"});
    int32_t area = 7;
    ASSERT_FALSE(CameraConnection::ConnectCamera(test.Context(), area));
    EXPECT_EQ(area, 7);  // no answer: the area is left alone
    std::vector<int32_t> shown;
    EXPECT_TRUE(CameraConnection::SearchBaudRate(test.Context(),
                                                 [&](int32_t index) { shown.push_back(index); }));
    EXPECT_EQ(shown, (std::vector<int32_t>{4, 3, 2}));
    CameraPort& port = test.Context().Get<CameraPort>();
    EXPECT_EQ(port.GetBaudRate(), 38400);
    EXPECT_EQ(port.GetBaudIndex(), 2);
    EXPECT_EQ(test.Context().Get<CameraModel>().Index(), 0);
    EXPECT_TRUE(test.Notifier().Messages().empty());
}

TEST_F(StartupConnectionTest, AnUnsupportedModelStopsTheSearchAndIsReported) {
    StartCamera({"--baud", "9600", "--model", "XR-1000"});
    int32_t area = 0;
    EXPECT_TRUE(CameraConnection::ConnectCamera(test.Context(), area));
    EXPECT_FALSE(test.Context().Get<CameraModel>().IsSupported());
    EXPECT_EQ(test.Notifier().Texts(),
              (std::vector<std::string>{"Unsupported model: \"XR-1000\""}));
    EXPECT_EQ(OutcomeText::ForStartUp(test.Context(), true),
              "Camera XR-1000 found at 9600 bit/s: this model is not supported, so its settings "
              "were not read");
}

TEST_F(StartupConnectionTest, ALinkThatDoesNotOpenIsReportedTwice) {
    const std::string device = test.Folder().File("no-such-device");
    setenv("RVTOOL_COM1", device.c_str(), 1);
    int32_t area = 0;
    EXPECT_FALSE(CameraConnection::ConnectCamera(test.Context(), area));
    EXPECT_EQ(test.Notifier().Texts(),
              (std::vector<std::string>{"Failed to initialize COM1 port!\nError in CreateFile()\n" +
                                            device + ": No such file or directory",
                                        "Failed to initialize!"}));
    EXPECT_EQ(OutcomeText::ForStartUp(test.Context(), false),
              "The port did not open: choose the camera's port in the communication dialog");
}

TEST_F(StartupConnectionTest, APortAnotherCopyHoldsIsRefusedAsInUseOnceForEveryRate) {
    StartCamera({"--baud", "9600"});
    TestContext first;  // the copy that opened the port before this one, root or not
    ASSERT_TRUE(first.Context().Get<CameraPort>().Reopen());
    int32_t area = 0;
    EXPECT_FALSE(CameraConnection::ConnectCamera(test.Context(), area));
    EXPECT_FALSE(CameraConnection::SearchBaudRate(test.Context(), nullptr));
    EXPECT_EQ(test.Notifier().Texts(),
              (std::vector<std::string>{"Failed to initialize COM1 port!\nError in CreateFile()\n" +
                                            camera.DevicePath() +
                                            ": Device or resource busy\nThe port is in use by "
                                            "another program (process " +
                                            std::to_string(getpid()) + ").",
                                        "Failed to initialize!"}));
    EXPECT_EQ(OutcomeText::ForStartUp(test.Context(), false),
              "The port is in use by another program: close it, or choose another port in the "
              "communication dialog");
}

TEST_F(StartupConnectionTest, ARunThatDidNotEndNormallyStartsOnTheComPort) {
    {
        SettingsStore& settings = test.Context().Get<SettingsStore>();
        settings.WriteDword(kCommunicationMode, kCameraLink2001Category);
    }
    test.Restart();  // the first run ended normally: the stored category is honoured
    CameraConnection::ApplyPreviousShutdown(test.Context());
    EXPECT_EQ(test.Context().Get<CameraPort>().GetCategory(), kCameraLink2001Category);

    test.Context().DestroyAll();  // that run ends normally too
    const pid_t child = fork();   // the next run dies without its exit-time saves
    ASSERT_GE(child, 0);
    if (child == 0) {
        ProcessContext context;
        context.Get<SettingsStore>();
        _exit(0);
    }
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    test.Restart();
    CameraConnection::ApplyPreviousShutdown(test.Context());
    EXPECT_EQ(test.Context().Get<CameraPort>().GetCategory(), kComCategory);
}

TEST_F(StartupConnectionTest, ARunawayReplyOverflowsTheReceiveBuffer) {
    // A runaway reply takes over a second on the line at 9600 bit/s: no wait may end before.
    test.Context().Provide<WaitClock>(
        [](ProcessContext&) { return std::make_unique<FastWaitClock>(std::chrono::seconds(2)); });
    StartCamera({"--baud", "9600", "--no-lf-after", "0"});
    int32_t area = 0;
    EXPECT_FALSE(CameraConnection::ConnectCamera(test.Context(), area));
    ASSERT_FALSE(test.Notifier().Messages().empty());
    EXPECT_EQ(test.Notifier().Messages()[0].text, "RS-232C receiving buffer overflowed");
    EXPECT_EQ(test.Notifier().Messages()[0].caption, "Communication Error");
}

// The status line tells the steps of the start-up in their order, and what it ends with agrees
// with the online mark beside it.
TEST_F(StartupConnectionTest, TheStatusLineTellsTheReadAfterTheSearchAndEndsAsTheLineDoes) {
    class SilencingStatusLine : public StatusLine {
    public:
        explicit SilencingStatusLine(SimProcess& camera) : camera_(camera) {}
        void ShowOutcome(const std::string& text) override {
            outcomes.push_back(text);
            if (text == OutcomeText::kReadingSettings) {
                camera_.Signal(SIGSTOP);  // found, and silent from its first setting on
            }
        }
        void ShowLink(const std::string&) override {}
        std::vector<std::string> outcomes;

    private:
        SimProcess& camera_;
    };
    StartCamera({"--baud", "9600", "--no-pacing"});
    SilencingStatusLine status(camera);
    test.Context().ProvideExternal<StatusLine>(status);
    FakeMainView view;
    MainWindowLogic(test.Context(), view).ConnectAtStart();
    camera.Signal(SIGCONT);
    ASSERT_EQ(status.outcomes.size(), 4u);
    EXPECT_EQ(status.outcomes[0], "Looking for the camera at 9600 bit/s");
    EXPECT_EQ(status.outcomes[1], "Reading the camera's settings");
    EXPECT_EQ(status.outcomes[3].rfind("Camera RV-2410M-TCL found at 9600 bit/s, but ", 0), 0u)
        << status.outcomes[3];
    EXPECT_FALSE(services.onlineStatus.reports.back());
}

// The window drains the line between requests with every tick of its timer. A device that
// streams without line ends overflows the receiver again and again: one box, then the message
// log, until the line has been quiet; then a new overflow is shown again.
TEST_F(StartupConnectionTest, AStreamingLineBetweenRequestsIsOneBoxUntilTheLineHasBeenQuiet) {
    StartCamera({"--baud", "9600", "--no-pacing", "--no-lf-after", "0"});
    ASSERT_TRUE(test.Context().Get<CameraPort>().Open(kComCategory, 9600, 0));
    const auto drain = [&](std::chrono::milliseconds span) {
        const auto end = std::chrono::steady_clock::now() + span;
        while (std::chrono::steady_clock::now() < end) {
            const IdleLineScope idle(test.Context());
            test.Context().Get<CommandEngine>().OnTimer();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    };
    for (int i = 0; i < 6; ++i) {
        TerminalLogic::Send(test.Context(), "GA?");  // each answer runs on for 1024 bytes
        drain(std::chrono::milliseconds(20));
    }
    drain(std::chrono::milliseconds(100));
    ASSERT_EQ(test.Notifier().Texts().size(), 1u);
    EXPECT_EQ(test.Notifier().Texts()[0].rfind("RS-232C receiving buffer overflowed", 0), 0u);
    EXPECT_GE(std::count(services.messageLog.lines.begin(), services.messageLog.lines.end(),
                         "Communication Error: RS-232C receiving buffer overflowed"),
              4);

    drain(std::chrono::milliseconds(400));  // longer than the quiet period of the fast clock
    TerminalLogic::Send(test.Context(), "GA?");
    drain(std::chrono::milliseconds(100));
    EXPECT_EQ(test.Notifier().Texts().size(), 2u);
}

}  // namespace
