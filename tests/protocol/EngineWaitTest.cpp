#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "tests/support/FastWaitClock.h"
#include "tests/support/RecordingServices.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/ScriptedCamera.h"
#include "tests/support/SimProcess.h"
#include "tests/support/SimTranscript.h"
#include "tests/support/TestContext.h"
#include "transport/CameraPort.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

const int kGA = CommandTable::IdOf("GA");

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// How the engine waits: for the bytes of a reply as they come, for the caller's time-out and
// no longer, and for nothing between requests but the drain.
class EngineWaitTest : public testing::Test {
protected:
    EngineWaitTest() : services(test.Context()) {
        camera.BindTo(1);
        EXPECT_TRUE(test.Context().Get<CameraPort>().Open(kComCategory, 9600, 0));
    }
    Command& Engine() { return test.Context().Get<Command>(); }

    ScriptedCamera camera;
    TestContext test;
    RecordingServices services;
};

TEST_F(EngineWaitTest, AReplyWhoseBytesTrickleInIsStillOneLine) {
    camera.SetScript([this](const std::string&) {
        for (char byte : std::string("GA=400\r\n")) {
            camera.Send(std::string(1, byte));
            std::this_thread::sleep_for(milliseconds(5));
        }
        return std::string();
    });
    int32_t value = 0;
    EXPECT_TRUE(Engine().GetValue(kGA, value, 1000));
    EXPECT_EQ(value, 400);
    EXPECT_TRUE(test.Notifier().Messages().empty());
}

TEST_F(EngineWaitTest, ASilentCameraTimesOutAtTheCallersTimeOut) {
    for (int timeoutMs : {100, 500}) {
        // Past the quiet the engine waits for after a time-out, so that only this one counts.
        std::this_thread::sleep_for(milliseconds(timeoutMs));
        int32_t value = 0;
        const Clock::time_point start = Clock::now();
        EXPECT_FALSE(Engine().GetValue(kGA, value, timeoutMs));
        const double elapsed = MillisecondsSince(start);
        EXPECT_GE(elapsed, timeoutMs);
        EXPECT_LE(elapsed, timeoutMs + 30);
    }
}

TEST_F(EngineWaitTest, TheDrainKeepsUpWithABurstOfUnaskedLines) {
    // 300 lines at 9600 bit/s: about 2.7 KB in 3 s, more than the transport's ring holds.
    camera.SetBaudRate(9600);
    std::string burst;
    for (int i = 0; i < 300; ++i) {
        burst += "TMP0=" + std::to_string(i % 100) + "\r\n";
    }
    std::thread sender([&] { camera.Send(burst); });
    const Clock::time_point start = Clock::now();
    while (services.messageLog.lines.size() < 300 && MillisecondsSince(start) < 6000) {
        Engine().OnTimer();
        std::this_thread::sleep_for(milliseconds(Command::kDrainPeriodMs));
    }
    sender.join();
    Engine().OnTimer();
    EXPECT_EQ(services.messageLog.lines.size(), 300u);
    EXPECT_TRUE(test.Notifier().Messages().empty());
}

TEST(EngineOnTheLineTest, EveryRequestIsAnsweredBeforeTheNextGoesOut) {
    for (int baud : {9600, 115200}) {
        SCOPED_TRACE(baud);
        TestContext test;
        const std::string transcript = test.Folder().File("transcript");
        SimProcess camera;
        ASSERT_TRUE(camera.Start({"--baud", std::to_string(baud), "--transcript", transcript}));
        ScopedEnvironment com1("RVTOOL_COM1", camera.DevicePath());
        ASSERT_TRUE(test.Context().Get<CameraPort>().Open(kComCategory, baud, 0));
        Command& engine = test.Context().Get<Command>();
        constexpr int kRequests = 20;
        for (int i = 0; i < kRequests; ++i) {
            int32_t value = 0;
            EXPECT_TRUE(engine.SetValue(kGA, 100 + i, 1000));
            EXPECT_TRUE(engine.GetValue(kGA, value, 1000));
            EXPECT_EQ(value, 100 + i);
        }
        const std::vector<TranscriptLine> lines = ReadTranscript(transcript);
        ASSERT_EQ(lines.size(), 4u * kRequests);
        // The camera is still sending its answer for as long as its bytes take on the line.
        const double byteSeconds = 10.0 / baud;
        for (std::size_t i = 0; i < lines.size(); i += 2) {
            EXPECT_EQ(lines[i].tag, "recv");
            EXPECT_EQ(lines[i + 1].tag, "sent");
            if (i + 2 < lines.size()) {
                const double answerEnd =
                    lines[i + 1].seconds + (lines[i + 1].text.size() + 2) * byteSeconds;
                EXPECT_GE(lines[i + 2].seconds, answerEnd - 0.0005) << lines[i + 2].text;
            }
        }
    }
}

// A camera that answers a set later than its time-out: the late COMPLETE is not the answer to
// the next set, which goes out only after it.
TEST(EngineOnTheLineTest, ALateReplyIsDroppedBeforeTheNextRequestGoesOut) {
    TestContext test(FastWaitClock::After([](ProcessContext&) {}));
    const WaitClock& clock = test.Context().Get<WaitClock>();
    const int timeoutMs = 1000;
    const auto given = clock.Timeout(milliseconds(timeoutMs));
    // Later than the time-out by a fifth of it, as a busy camera may be.
    const auto late = given + given / 5;
    SimProcess camera;
    ASSERT_TRUE(camera.Start({"--no-pacing", "--delay-ms", std::to_string(late.count())}));
    ScopedEnvironment com1("RVTOOL_COM1", camera.DevicePath());
    RecordingServices services(test.Context());
    ASSERT_TRUE(test.Context().Get<CameraPort>().Open(kComCategory, 9600, 0));
    Command& engine = test.Context().Get<Command>();
    EXPECT_FALSE(engine.SetValue(CommandTable::IdOf("LUTI"), 0, timeoutMs));
    EXPECT_FALSE(engine.SetValue(CommandTable::IdOf("LUTD"), 7, timeoutMs))
        << "the late acknowledgement of LUTI was taken for LUTD's";
    const std::vector<std::string>& logged = services.terminalLog.lines;
    ASSERT_GE(logged.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(logged.begin(), logged.begin() + 3),
              (std::vector<std::string>{"Tx: LUTI=0", "Rx: COMPLETE", "Tx: LUTD=7"}));
}

}  // namespace
