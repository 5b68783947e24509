// Serial lines behind a device server: Debian's ser2net on loopback in front of rvsim's pseudo
// terminal, reached through the COM port driver by socket:// and rfc2217:// port names.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "core/ProcessContext.h"
#include "tests/support/FastWaitClock.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/support/Ser2net.h"
#include "tests/support/SimProcess.h"
#include "tests/support/TestContext.h"
#include "transport/ComPortDriver.h"

namespace {

using std::chrono::milliseconds;
using testing::HasSubstr;
using testing::StartsWith;
using Clock = std::chrono::steady_clock;

const milliseconds kPatience(5000);  // long enough for a loaded machine, never reached when right
const milliseconds kQuietWindow(500);

class NetworkPortTest : public testing::Test {
protected:
    void SetUp() override {
        if (!Ser2net::Installed()) {
            GTEST_SKIP() << "ser2net is not installed";
        }
    }

    void StartCamera(int baud) { ASSERT_TRUE(camera_.Start({"--baud", std::to_string(baud)})); }

    bool Open(const std::string& portName, int32_t baud) {
        return driver_.Open(portName, baud, 8, 0, 0, 0);
    }

    // Sends the request and reads the reply up to its LF; what came when the wait ended.
    std::string Ask(const std::string& request, milliseconds wait = kPatience) {
        driver_.ResetBuffer();
        EXPECT_TRUE(driver_.Write(request.data(), static_cast<int32_t>(request.size())));
        std::string reply;
        const Clock::time_point deadline = Clock::now() + wait;
        while ((reply.empty() || reply.back() != '\n') && Clock::now() < deadline) {
            char byte = 0;
            if (driver_.Read(&byte, 1) == 1) {
                reply += byte;
            } else {
                driver_.WaitForData(deadline);
            }
        }
        return reply;
    }

    TestContext test_{FastWaitClock::After([](ProcessContext&) {})};
    ComPortDriver& driver_ = test_.Context().Get<ComPortDriver>();
    SimProcess camera_;
    Ser2net server_{test_.Folder().Path()};
};

TEST_F(NetworkPortTest, ARawSocketCarriesAQueryToTheCameraAndItsReplyBack) {
    StartCamera(9600);
    ASSERT_TRUE(server_.Start(camera_.DevicePath(), 9600, Ser2net::Accepter::Raw));

    ASSERT_TRUE(Open(server_.PortName(), 9600)) << testing::PrintToString(test_.Notifier().Texts());
    EXPECT_EQ(driver_.PortDescription(), server_.PortName());
    EXPECT_EQ(Ask("MD?\r\n"), "MD=RV-2410M-TCL\r\n");
}

TEST_F(NetworkPortTest, Rfc2217SetsTheFarLinesRateWhichARawSocketLeavesAsTheServerHasIt) {
    StartCamera(115200);
    ASSERT_TRUE(server_.Start(camera_.DevicePath(), 9600, Ser2net::Accepter::Raw));
    ASSERT_TRUE(Open(server_.PortName(), 115200));
    EXPECT_EQ(Ask("MD?\r\n", kQuietWindow), "") << "the far line runs at 9600 bit/s";
    driver_.Close();

    ASSERT_TRUE(server_.Start(camera_.DevicePath(), 9600, Ser2net::Accepter::Rfc2217));
    ASSERT_TRUE(Open(server_.PortName(), 115200))
        << testing::PrintToString(test_.Notifier().Texts());
    EXPECT_EQ(Ask("MD?\r\n"), "MD=RV-2410M-TCL\r\n");
    // A byte 255 goes through the telnet layer as data, not as the start of a command that
    // would swallow the line's end.
    const std::string strange = Ask("\xff?\r\n");
    EXPECT_FALSE(strange.empty()) << "the line with a byte 255 went unanswered";
    EXPECT_EQ(Ask("GA?\r\n").substr(0, 3), "GA=");
    EXPECT_TRUE(test_.Notifier().Messages().empty());
}

TEST_F(NetworkPortTest, AServerThatGoesIsALostDeviceAndReconnectionFindsItWhenItIsBack) {
    StartCamera(115200);
    ASSERT_TRUE(server_.Start(camera_.DevicePath(), 115200, Ser2net::Accepter::Rfc2217));
    ASSERT_TRUE(Open(server_.PortName(), 115200));
    ASSERT_EQ(Ask("MD?\r\n"), "MD=RV-2410M-TCL\r\n");

    server_.Stop();
    ASSERT_TRUE(WaitUntil([&] { return driver_.DeviceLost(); }, kPatience));
    driver_.ReleaseLostDevice();
    const Clock::time_point start = Clock::now();
    EXPECT_FALSE(driver_.Reconnect());
    EXPECT_LT(Clock::now() - start, milliseconds(600)) << "a quiet attempt holds the tick up";

    ASSERT_TRUE(server_.Restart());
    ASSERT_TRUE(driver_.Reconnect());
    EXPECT_FALSE(driver_.DeviceLost());
    EXPECT_EQ(Ask("MD?\r\n"), "MD=RV-2410M-TCL\r\n");
    EXPECT_TRUE(test_.Notifier().Messages().empty()) << "reconnection attempts tell nobody";
}

TEST_F(NetworkPortTest, ARefusedPortAndAnUnknownHostAreToldAtOnceWithTheirReason) {
    const std::string refused = "socket://127.0.0.1:" + std::to_string(Ser2net::FreePort());
    const std::string unknown = "rfc2217://no-such-host.invalid:4001";
    const Clock::time_point start = Clock::now();
    EXPECT_FALSE(Open(refused, 9600));
    EXPECT_FALSE(Open(unknown, 9600));
    EXPECT_FALSE(Open("socket://127.0.0.1", 9600));
    EXPECT_LT(Clock::now() - start, milliseconds(1500));

    const std::vector<std::string> texts = test_.Notifier().Texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], "Failed to initialize " + refused + " port!\nError in CreateFile()\n" +
                            refused.substr(9) +
                            " refused the connection: no device server listens there");
    EXPECT_THAT(texts[1], StartsWith("Failed to initialize " + unknown +
                                     " port!\nError in CreateFile()\nCannot find the host "
                                     "no-such-host.invalid: "));
    EXPECT_THAT(texts[2], HasSubstr("socket://127.0.0.1: no port after the host"));
    EXPECT_FALSE(driver_.IsOpen());
}

TEST_F(NetworkPortTest, AServerThatIgnoresTheRateFailsTheOpenNamingServerAndRate) {
    StartCamera(9600);
    // A raw port taken for an RFC 2217 one: the telnet negotiation goes unanswered.
    ASSERT_TRUE(server_.Start(camera_.DevicePath(), 9600, Ser2net::Accepter::Raw));
    const std::string server = server_.PortName().substr(9);
    const Clock::time_point start = Clock::now();
    EXPECT_FALSE(Open("rfc2217://" + server, 115200));
    EXPECT_LT(Clock::now() - start, milliseconds(1500)) << "the time-out runs on the test's clock";

    const std::vector<std::string> texts = test_.Notifier().Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_THAT(texts[0], HasSubstr("Error in SetCommState()\nThe device server " + server +
                                    " did not confirm the rate 115200 bit/s within "));
    EXPECT_FALSE(driver_.IsOpen());
}

TEST_F(NetworkPortTest, AServerWhoseLineAnotherClientHoldsIsToldWithTheServersWords) {
    StartCamera(9600);
    ASSERT_TRUE(server_.Start(camera_.DevicePath(), 9600, Ser2net::Accepter::Rfc2217));
    ProcessContext otherProgram;
    ASSERT_TRUE(otherProgram.Get<ComPortDriver>().Open(server_.PortName(), 9600, 8, 0, 0, 0));

    EXPECT_FALSE(Open(server_.PortName(), 9600));
    ASSERT_EQ(test_.Notifier().Texts().size(), 1u);
    EXPECT_THAT(test_.Notifier().Texts()[0],
                HasSubstr("\n" + server_.PortName().substr(10) +
                          " closed the connection: \"Port already in use\""));
}

}  // namespace
