#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

#include "operations/CoreServices.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/support/RecordingServices.h"
#include "tests/support/ScriptedCamera.h"
#include "tests/support/TestContext.h"
#include "transport/CameraPort.h"
#include "transport/ComPortDriver.h"

namespace {

using Clock = std::chrono::steady_clock;

int Id(const char* mnemonic) {
    return CommandTable::IdOf(mnemonic);
}

long long MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// Shows every message through the recorder and runs a hook while "the box is open", as the
// nested event loop of a real message box would.
class HookedNotifier : public Notifier {
public:
    explicit HookedNotifier(RecordingNotifier& recorder) : recorder_(recorder) {}
    MessageAnswer Present(const MessageRequest& request) override {
        if (whileShown) {
            whileShown();
        }
        return recorder_.Show(request);
    }
    std::function<void()> whileShown;

private:
    RecordingNotifier& recorder_;
};

class CommandEngineTest : public testing::Test {
protected:
    CommandEngineTest() : services(test.Context()), notifier(test.Notifier()) {
        camera.BindTo(1);
        test.Context().ProvideExternal<Notifier>(notifier);
        EXPECT_TRUE(test.Context().Get<CameraPort>().Open(kComCategory, 115200, 0));
    }

    Command& Engine() { return test.Context().Get<Command>(); }
    // Waits until the transport holds that many unread bytes.
    bool ReceivedBytesReach(int32_t count) {
        ComPortDriver& driver = test.Context().Get<ComPortDriver>();
        return WaitUntil([&] { return driver.GetAvailable() >= count; },
                         std::chrono::milliseconds(5000));
    }
    std::vector<std::string> Messages() { return test.Notifier().Texts(); }

    ScriptedCamera camera;
    TestContext test;
    RecordingServices services;
    HookedNotifier notifier;
};

TEST_F(CommandEngineTest, SetIsAcknowledgedByCompleteInAnyLetterCase) {
    camera.SetScript([](const std::string&) { return "complete and more\r\n"; });
    EXPECT_TRUE(Engine().SetValue(Id("GA"), 400, 1000));
    ASSERT_EQ(camera.ReceivedLines(), (std::vector<std::string>{"GA=400"}));
    EXPECT_EQ(services.onlineStatus.reports, (std::vector<bool>{true}));
    EXPECT_EQ(services.terminalLog.lines,
              (std::vector<std::string>{"Tx: GA=400", "Rx: complete and more"}));
    EXPECT_EQ(services.messageLog.lines, (std::vector<std::string>{"GA=400", "complete and more"}));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(CommandEngineTest, AnyOtherAcknowledgementIsShownAndFails) {
    camera.SetScript([](const std::string&) { return "COMPLET\r\n"; });
    EXPECT_FALSE(Engine().SetValue(Id("GA"), 400, 1000));
    camera.SetScript([](const std::string&) { return "Error: 100% out of range\r\n"; });
    EXPECT_FALSE(Engine().SetValue(Id("GA"), 9999, 1000));
    EXPECT_EQ(Messages(), (std::vector<std::string>{"COMPLET", "Error: 100% out of range"}));
    for (const MessageRequest& message : test.Notifier().Messages()) {
        EXPECT_EQ(message.caption, "Communication Error");
        EXPECT_EQ(message.icon, MessageIcon::Warning);
    }
    EXPECT_EQ(services.onlineStatus.reports, (std::vector<bool>{true, true}));  // a line came
}

TEST_F(CommandEngineTest, TextSetsCarryTheirTextUnchanged) {
    camera.SetScript([](const std::string&) { return "COMPLETE\r\n"; });
    EXPECT_TRUE(Engine().SetValue(Id("UD"), 12, 1000));
    EXPECT_TRUE(Engine().SetString(Id("UD"), "Line 7, 50%", 1000));
    EXPECT_TRUE(Engine().SetString(Id("GA"), "0400", 1000));
    EXPECT_EQ(camera.ReceivedLines(),
              (std::vector<std::string>{"UD=", "UD=Line 7, 50%", "GA=0400"}));
}

TEST_F(CommandEngineTest, QueriesReturnTheRepliedValue) {
    camera.SetScript([](const std::string& line) -> std::string {
        if (line == "GA?")
            return "GA=&h1a\r\n";
        if (line == "BL?")
            return "bl = -5\r\n";
        if (line == "PE?")
            return "PE?\r\n";
        if (line == "ID?")
            return "ID=Cam 01\r\n";
        return "";
    });
    int32_t value = -1;
    EXPECT_TRUE(Engine().GetValue(Id("GA"), value, 1000));
    EXPECT_EQ(value, 26);
    EXPECT_TRUE(Engine().GetValue(Id("BL"), value, 1000));
    EXPECT_EQ(value, -5);
    EXPECT_TRUE(Engine().GetValue(Id("PE"), value, 1000));  // an echo without value
    EXPECT_EQ(value, 0);
    std::string text;
    EXPECT_TRUE(Engine().GetString(Id("ID"), text, 1000));
    EXPECT_EQ(text, "CAM01");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(CommandEngineTest, AReplyForAnotherCommandIsShownWithTheQuery) {
    camera.SetScript([](const std::string&) { return "XY=1\r\n"; });
    int32_t value = 77;
    EXPECT_FALSE(Engine().GetValue(Id("GA"), value, 1000));
    EXPECT_EQ(value, 77);  // untouched
    camera.SetScript([](const std::string&) { return "GA00=1\r\n"; });
    EXPECT_FALSE(Engine().GetValue(Id("GA"), value, 1000));
    camera.SetScript([](const std::string&) { return "rubbish\r\n"; });
    std::string text = "old";
    EXPECT_FALSE(Engine().GetString(Id("MD"), text, 1000));
    EXPECT_EQ(text, "");
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"XY=1 for GA?", "GA00=1 for GA?", "rubbish for MD?"}));
    EXPECT_TRUE(services.onlineStatus.reports.empty());  // the status is not changed
}

TEST_F(CommandEngineTest, SilenceTimesOutOfflineWithoutAMessage) {
    const Clock::time_point start = Clock::now();
    int32_t value = 5;
    EXPECT_FALSE(Engine().GetValue(Id("GA"), value, 200));
    const long long elapsed = MillisecondsSince(start);
    EXPECT_GE(elapsed, 200);
    EXPECT_LT(elapsed, 1000);
    EXPECT_FALSE(Engine().SetValue(Id("GA"), 1, 100));
    EXPECT_EQ(services.onlineStatus.reports, (std::vector<bool>{false, false}));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(CommandEngineTest, ALateReplyIsLoggedAndDroppedBeforeTheNextRequest) {
    // The camera answers the first query only after its time-out has passed.
    camera.SetScript([](const std::string&) { return ""; });
    int32_t value = 0;
    EXPECT_FALSE(Engine().GetValue(Id("GA"), value, 100));
    camera.Send("GA=300\r\n");
    ASSERT_TRUE(ReceivedBytesReach(8));
    camera.SetScript([](const std::string&) { return "GA=400\r\n"; });
    EXPECT_TRUE(Engine().GetValue(Id("GA"), value, 1000));
    EXPECT_EQ(value, 400) << "the late line is not the answer to the next request";
    const std::vector<std::string>& logged = services.messageLog.lines;
    EXPECT_NE(std::find(logged.begin(), logged.end(), "GA=300"), logged.end());
}

TEST_F(CommandEngineTest, ACameraThatNeverFallsQuietAfterATimeOutHoldsTheNextRequestOnlyBriefly) {
    camera.SetScript([](const std::string&) { return ""; });
    int32_t value = 0;
    EXPECT_FALSE(Engine().GetValue(Id("GA"), value, 200));
    std::atomic<bool> chatting{true};
    std::thread chatter([&] {
        const Clock::time_point start = Clock::now();
        while (chatting && MillisecondsSince(start) < 5000) {
            camera.Send("TMP0=41\r\n");
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
    const Clock::time_point start = Clock::now();
    Engine().GetValue(Id("GA"), value, 200);
    const long long elapsed = MillisecondsSince(start);
    chatting = false;
    chatter.join();
    EXPECT_LT(elapsed, 1500) << "waited for a quiet line that never came";
    EXPECT_EQ(camera.ReceivedLines(), (std::vector<std::string>{"GA?", "GA?"}));
}

TEST_F(CommandEngineTest, LongLinesAndLineFeedOnlyLinesArriveWhole) {
    const std::string id(40, 'A');
    camera.SetScript([id](const std::string& line) -> std::string {
        return line == "ID?" ? "ID=" + id + "\r\n" : "UD=USER7\n";
    });
    std::string text;
    EXPECT_TRUE(Engine().GetString(Id("ID"), text, 1000));
    EXPECT_EQ(text, id);
    EXPECT_TRUE(Engine().GetString(Id("UD"), text, 1000));
    EXPECT_EQ(text, "USER7");
}

TEST_F(CommandEngineTest, ARunawayLineOverflowsTheReceiveBuffer) {
    camera.SetBaudRate(115200);
    camera.SetScript([](const std::string&) { return std::string(1100, 'x'); });
    int32_t value = 0;
    EXPECT_FALSE(Engine().GetValue(Id("GA"), value, 600));
    ASSERT_FALSE(Messages().empty());
    EXPECT_EQ(Messages()[0], "RS-232C receiving buffer overflowed");
    EXPECT_EQ(test.Notifier().Messages()[0].caption, "Communication Error");
}

TEST_F(CommandEngineTest, BytesLostInTheTransportAreReportedOnce) {
    // Nobody reads while the camera floods more than the transport holds.
    camera.Send(std::string(1500, 'z') + "\r\n");
    ASSERT_TRUE(ReceivedBytesReach(ComPortDriver::kRingSize - 1));
    camera.SetScript([](const std::string&) { return "COMPLETE\r\n"; });
    Engine().SetValue(Id("GA"), 1, 1000);
    Engine().SetValue(Id("GA"), 2, 1000);
    Engine().OnTimer();  // the burst may have taken the first reply too, and so end later
    int lostReports = 0;
    for (const std::string& text : Messages()) {
        lostReports += text.find("received bytes were lost") != std::string::npos;
    }
    EXPECT_EQ(lostReports, 1);
}

TEST_F(CommandEngineTest, TheDrainLogsUnaskedLinesAndTheNextRequestDiscardsThem) {
    camera.Send("TMP0=41\r\n");
    ASSERT_TRUE(ReceivedBytesReach(9));
    Engine().OnTimer();
    EXPECT_EQ(services.messageLog.lines, (std::vector<std::string>{"TMP0=41"}));
    camera.SetScript([](const std::string&) { return "GA=123\r\n"; });
    int32_t value = 0;
    EXPECT_TRUE(Engine().GetValue(Id("GA"), value, 1000));
    EXPECT_EQ(value, 123);
}

TEST_F(CommandEngineTest, AMessageBoxDuringARequestNeverTakesItsReply) {
    // 1024 bytes without a line end overflow the buffer while the query waits; its message box
    // runs timers and perhaps another request, which must leave the real reply to the query.
    camera.SetScript([](const std::string& line) -> std::string {
        return line == "GA?" ? std::string(1024, 'x') + "GA=5\r\n" : "COMPLETE\r\n";
    });
    camera.SetBaudRate(115200);
    bool nestedResult = true;
    notifier.whileShown = [&] {
        notifier.whileShown = nullptr;
        Engine().OnTimer();
        nestedResult = Engine().SetValue(Id("BL"), 1, 200);
    };
    int32_t value = 0;
    EXPECT_TRUE(Engine().GetValue(Id("GA"), value, 2000));
    EXPECT_EQ(value, 5);
    EXPECT_FALSE(nestedResult);
    EXPECT_EQ(camera.ReceivedLines(), (std::vector<std::string>{"GA?"}));
}

TEST_F(CommandEngineTest, ParseLineFillsItsOutputsOnlyOnSuccess) {
    int cmdId = -7;
    std::string mnemonic = "keep", text = "keep";
    int32_t value = -7;
    EXPECT_FALSE(Engine().ParseLine("ZZ=1", cmdId, mnemonic, value, text));
    EXPECT_EQ(cmdId, -7);
    EXPECT_EQ(mnemonic, "keep");
    EXPECT_TRUE(Engine().ParseLine(" bl = -5\r\n", cmdId, mnemonic, value, text));
    EXPECT_EQ(cmdId, Id("BL"));
    EXPECT_EQ(mnemonic, "BL");
    EXPECT_EQ(value, -5);
}

}  // namespace
