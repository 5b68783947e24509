// The COM port driver through the Win32 calls, under Wine: COM5, COM6 and COM7 are pseudo
// terminals served by rvsim (scripts/wine-run links them into the prefix's dosdevices folder).
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "controls/CameraModel.h"
#include "core/SettingsStore.h"
#include "operations/CameraConnection.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "tests/support/RecordingServices.h"
#include "tests/support/TestContext.h"
#include "transport/CameraPort.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int32_t kCom5 = 4;  // port indices: COM<n> is n - 1
constexpr int32_t kCom6 = 5;
constexpr int32_t kCom7 = 6;
constexpr int32_t kCom16 = 15;

// The program's time-out for an ordinary parameter: this test asks whether replies come, not
// how fast a machine busy with other work passes them on.
constexpr int kRequestTimeoutMs = 5000;

class Win32ComPortTest : public testing::Test {
protected:
    // The stored port is the one the first run of the tool opens.
    void StorePort(int32_t index) {
        ASSERT_TRUE(test.Context().Get<SettingsStore>().WriteDword(kComPortNo, index));
    }
    Command& Engine() { return test.Context().Get<Command>(); }

    TestContext test;
    RecordingServices services{test.Context()};
};

TEST_F(Win32ComPortTest, TheStartUpFindsTheCameraAndRequestsGetTheirReplies) {
    StorePort(kCom5);
    int32_t area = -1;
    ASSERT_TRUE(CameraConnection::ConnectCamera(test.Context(), area))
        << testing::PrintToString(test.Notifier().Texts());
    EXPECT_EQ(area, 0);
    EXPECT_EQ(services.messageLog.lines,
              (std::vector<std::string>{"MD?", "MD=RV-2410M-TCL", "EA?", "EA=0"}));

    const int gain = CommandTable::IdOf("GA");
    EXPECT_TRUE(Engine().SetValue(gain, 800, kRequestTimeoutMs));
    int32_t value = 0;
    EXPECT_TRUE(Engine().GetValue(gain, value, kRequestTimeoutMs));
    EXPECT_EQ(value, 800);
    std::string version;
    EXPECT_TRUE(Engine().GetString(CommandTable::IdOf("MD"), version, kRequestTimeoutMs));
    EXPECT_EQ(version, "RV-2410M-TCL");
    EXPECT_TRUE(test.Notifier().Messages().empty());

    // Closing ends the receive thread's pending wait at once.
    const Clock::time_point start = Clock::now();
    test.Context().Get<CameraPort>().Close();
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
}

// rvsim ignores a host at another rate: the search finds it only if each rate reaches the line.
TEST_F(Win32ComPortTest, TheBaudSearchSetsEachRateOnTheLine) {
    StorePort(kCom6);
    std::vector<int32_t> shown;
    EXPECT_TRUE(CameraConnection::SearchBaudRate(test.Context(),
                                                 [&](int32_t index) { shown.push_back(index); }));
    EXPECT_EQ(shown, (std::vector<int32_t>{4, 3, 2}));
    EXPECT_EQ(test.Context().Get<CameraPort>().GetBaudRate(), 38400);
    EXPECT_EQ(test.Context().Get<CameraModel>().Index(), 0);
}

TEST_F(Win32ComPortTest, ASilentCameraTimesOutAfterTheRequestsTimeOut) {
    ASSERT_TRUE(test.Context().Get<CameraPort>().Open(kComCategory, 9600, kCom7));
    int32_t value = 0;
    const Clock::time_point start = Clock::now();
    EXPECT_FALSE(Engine().GetValue(CommandTable::IdOf("GA"), value, 500));
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(500));
    // Its own time-out, not the ordinary one, with room for a busy machine's pauses.
    EXPECT_LT(waited, std::chrono::milliseconds(3000));
    EXPECT_EQ(services.onlineStatus.reports.back(), false);
    EXPECT_TRUE(test.Notifier().Messages().empty());
}

TEST_F(Win32ComPortTest, APortWithoutADeviceSaysWhichCallFailedAndWhy) {
    EXPECT_FALSE(test.Context().Get<CameraPort>().Open(kComCategory, 9600, kCom16));
    const std::vector<std::string> texts = test.Notifier().Texts();
    ASSERT_EQ(texts.size(), 1u);
    // The system's reason follows, in the system's language.
    const std::string head =
        "Failed to initialize COM16 port!\nError in CreateFile()\n\\\\.\\COM16: ";
    EXPECT_EQ(texts[0].substr(0, head.size()), head);
    EXPECT_GT(texts[0].size(), head.size());
    EXPECT_EQ(texts[0].find('\n', head.size()), std::string::npos);
}

// Windows does not say which program holds a port, so the in-use line names no process.
TEST_F(Win32ComPortTest, APortAnotherProgramHoldsIsRefusedAsInUseOnceForEveryRate) {
    TestContext first;  // the copy that opened the port before this one
    ASSERT_TRUE(first.Context().Get<CameraPort>().Open(kComCategory, 9600, kCom5));
    StorePort(kCom5);
    int32_t area = 0;
    EXPECT_FALSE(CameraConnection::ConnectCamera(test.Context(), area));
    EXPECT_FALSE(CameraConnection::SearchBaudRate(test.Context(), nullptr));
    const std::vector<std::string> texts = test.Notifier().Texts();
    ASSERT_EQ(texts.size(), 2u) << testing::PrintToString(texts);
    const std::string head =
        "Failed to initialize COM5 port!\nError in CreateFile()\n\\\\.\\COM5: ";
    const std::string tail = "\nThe port is in use by another program.";
    EXPECT_EQ(texts[0].substr(0, head.size()), head);
    ASSERT_GT(texts[0].size(), head.size() + tail.size());
    EXPECT_EQ(texts[0].substr(texts[0].size() - tail.size()), tail);
    EXPECT_EQ(texts[1], "Failed to initialize!");
}

}  // namespace
