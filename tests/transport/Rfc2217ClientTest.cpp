// The RFC 2217 client against a device server the test plays, on Linux and under Wine alike.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "core/ProcessContext.h"
#include "tests/support/FastWaitClock.h"
#include "tests/support/StubDeviceServer.h"
#include "tests/support/TestContext.h"
#include "transport/ComPortDriver.h"

namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

const milliseconds kPatience(5000);  // long enough for a loaded machine, never reached when right

class Rfc2217ClientTest : public testing::Test {
protected:
    TestContext test_{FastWaitClock::After([](ProcessContext&) {})};
    ComPortDriver& driver_ = test_.Context().Get<ComPortDriver>();
};

TEST_F(Rfc2217ClientTest, EveryByteValuePassesBothWaysAndAServerThatGoesIsALostDevice) {
    StubDeviceServer server;  // its far line sends every byte back
    ASSERT_FALSE(server.PortName().empty());
    ASSERT_TRUE(driver_.Open(server.PortName(), 115200, 8, 0, 0, 0))
        << testing::PrintToString(test_.Notifier().Texts());

    std::string all;
    for (int value = 0; value < 256; ++value) {
        all += static_cast<char>(value);
    }
    ASSERT_TRUE(driver_.Write(all.data(), static_cast<int32_t>(all.size())));
    std::string back;
    const Clock::time_point deadline = Clock::now() + kPatience;
    while (back.size() < all.size() && Clock::now() < deadline) {
        char buffer[256];
        const int32_t got = driver_.Read(buffer, static_cast<int32_t>(sizeof buffer));
        back.append(buffer, static_cast<std::size_t>(got));
        if (got == 0) {
            driver_.WaitForData(deadline);
        }
    }
    EXPECT_EQ(back, all);

    server.Drop();
    const Clock::time_point lost = Clock::now() + kPatience;
    while (!driver_.DeviceLost() && Clock::now() < lost) {
        std::this_thread::sleep_for(milliseconds(10));
    }
    EXPECT_TRUE(driver_.DeviceLost());
}

TEST_F(Rfc2217ClientTest, AServerThatKeepsAnotherRateFailsTheOpenNamingServerAndBothRates) {
    StubDeviceServer server(9600);
    ASSERT_FALSE(server.PortName().empty());
    EXPECT_FALSE(driver_.Open(server.PortName(), 115200, 8, 0, 0, 0));
    EXPECT_FALSE(driver_.IsOpen());
    const std::string where = server.PortName().substr(10);
    ASSERT_EQ(test_.Notifier().Texts().size(), 1u);
    EXPECT_EQ(test_.Notifier().Texts()[0],
              "Failed to initialize " + server.PortName() +
                  " port!\nError in SetCommState()\nThe device server " + where +
                  " refused the rate 115200 bit/s: its line runs at 9600 bit/s");
}

// The window's tick makes the quiet attempts once a second: one must not hold it up for the
// seconds an Open the operator asked for may take. The product's own clock runs here.
TEST(Rfc2217ReconnectionTest, AQuietAttemptOnAServerThatHangsGivesUpWithinAQuarterSecond) {
    TestContext test;
    ComPortDriver& driver = test.Context().Get<ComPortDriver>();
    StubDeviceServer server;
    ASSERT_TRUE(driver.Open(server.PortName(), 115200, 8, 0, 0, 0));
    server.FallSilent();
    server.Drop();
    const Clock::time_point lost = Clock::now() + kPatience;
    while (!driver.DeviceLost() && Clock::now() < lost) {
        std::this_thread::sleep_for(milliseconds(10));
    }
    ASSERT_TRUE(driver.DeviceLost());
    driver.ReleaseLostDevice();

    const Clock::time_point start = Clock::now();
    EXPECT_FALSE(driver.Reconnect());
    EXPECT_LT(Clock::now() - start, milliseconds(600));
    EXPECT_TRUE(test.Notifier().Messages().empty());
}

}  // namespace
