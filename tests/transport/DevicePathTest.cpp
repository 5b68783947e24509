// Ports named by their device, as every serial tool on Linux takes them: a device path, or a
// link to one such as udev makes in /dev/serial/by-id, with rvsim behind it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/PseudoTerminal.h"
#include "tests/support/SimProcess.h"
#include "tests/support/SimTranscript.h"
#include "tests/support/TestContext.h"
#include "transport/ComPortDriver.h"

namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

const milliseconds kPatience(5000);  // long enough for a loaded machine, never reached when right

class DevicePathTest : public testing::Test {
protected:
    DevicePathTest() : driver_(test_.Context().Get<ComPortDriver>()) {}

    bool Open(const std::string& portName) { return driver_.Open(portName, 9600, 8, 0, 0, 0); }

    // Sends a query and returns the answer's line without its end; empty when none came.
    std::string Ask(const std::string& query) {
        driver_.ResetBuffer();
        const std::string line = query + "\r\n";
        if (!driver_.Write(line.data(), static_cast<int32_t>(line.size()))) {
            return std::string();
        }
        std::string answer;
        const Clock::time_point deadline = Clock::now() + kPatience;
        while (Clock::now() < deadline) {
            char byte = 0;
            if (driver_.Read(&byte, 1) == 0) {
                driver_.WaitForData(deadline);
            } else if (byte == '\n') {
                return answer;
            } else if (byte != '\r') {
                answer += byte;
            }
        }
        return std::string();
    }

    TestContext test_;
    ComPortDriver& driver_;
    // Named as udev names an adapter's link; it lives in the test's own folder.
    const std::string byId_ = test_.Folder().File("usb-FTDI_FT232R_USB_UART_A10KZP6F-if00-port0");
};

TEST_F(DevicePathTest, ADevicePathAndALinkToItReachTheCamera) {
    SimProcess camera;
    ASSERT_TRUE(camera.Start({"--no-pacing"}));
    ASSERT_TRUE(Open(camera.DevicePath()));
    EXPECT_EQ(Ask("GA?").rfind("GA=", 0), 0u);
    EXPECT_EQ(driver_.PortDescription(), camera.DevicePath());

    ASSERT_EQ(symlink(camera.DevicePath().c_str(), byId_.c_str()), 0);
    ASSERT_TRUE(Open(byId_));
    EXPECT_EQ(Ask("GA?").rfind("GA=", 0), 0u);
    EXPECT_EQ(driver_.PortDescription(), byId_ + " (" + camera.DevicePath() + ")");
    EXPECT_TRUE(test_.Notifier().Messages().empty());
}

TEST_F(DevicePathTest, AReconnectionFollowsTheLinkToTheAdaptersNewDevice) {
    SimProcess before;
    ASSERT_TRUE(before.Start({"--no-pacing", "--link", byId_}));
    ASSERT_TRUE(Open(byId_));
    ASSERT_EQ(Ask("GA?").rfind("GA=", 0), 0u);

    // Plugged into another socket: a new device, and udev points the link at it.
    const std::string transcript = test_.Folder().File("after");
    SimProcess after;
    ASSERT_TRUE(after.Start({"--no-pacing", "--link", byId_, "--transcript", transcript}));
    ASSERT_NE(after.DevicePath(), before.DevicePath());
    before.Stop(SIGTERM);
    ASSERT_TRUE(WaitUntil([&] { return driver_.DeviceLost(); }, kPatience));

    driver_.ReleaseLostDevice();
    ASSERT_TRUE(driver_.Reconnect());
    EXPECT_EQ(Ask("GA?").rfind("GA=", 0), 0u);
    EXPECT_EQ(ReceivedLines(transcript), std::vector<std::string>{"GA?"});
    EXPECT_EQ(driver_.PortDescription(), byId_ + " (" + after.DevicePath() + ")");
    EXPECT_TRUE(test_.Notifier().Messages().empty());
}

TEST_F(DevicePathTest, AFileOrFolderIsRefusedAsNoSerialDeviceAndLeftAsItWas) {
    const std::string file = test_.Folder().File("settings.ini");
    std::ofstream(file) << "[Port]\n";
    const std::string folder = test_.Folder().Path();
    EXPECT_FALSE(Open(file));
    EXPECT_FALSE(Open(folder));
    EXPECT_FALSE(driver_.IsOpen());
    const std::vector<std::string> expected = {
        "Failed to initialize " + file + " port!\nError in CreateFile()\n" + file +
            ": a regular file, not a serial device",
        "Failed to initialize " + folder + " port!\nError in CreateFile()\n" + folder +
            ": a directory, not a serial device",
    };
    EXPECT_EQ(test_.Notifier().Texts(), expected);
    std::ifstream kept(file);
    std::string content((std::istreambuf_iterator<char>(kept)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "[Port]\n");
}

}  // namespace
