// The serial adapter pulled and plugged in again, end to end against rvsim on a pseudo
// terminal whose --link stands for the device path.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "controls/ControlIds.h"
#include "controls/ControlTable.h"
#include "operations/CameraConnection.h"
#include "presenters/LinkWatch.h"
#include "protocol/CommandEngine.h"
#include "protocol/CommandIds.h"
#include "tests/support/FakeMainView.h"
#include "tests/support/FastWaitClock.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/support/RecordingServices.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/Ser2net.h"
#include "tests/support/SimProcess.h"
#include "tests/support/SimTranscript.h"
#include "tests/support/TestContext.h"
#include "transport/CameraPort.h"

namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

const milliseconds kTick(CommandEngine::kDrainPeriodMs);
const milliseconds kPatience(5000);  // long enough for a loaded machine, never reached when right

class UnplugTest : public testing::Test {
protected:
    void StartCamera(std::vector<std::string> args) {
        args.insert(args.end(), {"--link", link_, "--no-pacing", "--transcript", transcript_});
        ASSERT_TRUE(camera_.Start(args));
        com1_ = std::make_unique<ScopedEnvironment>("RVTOOL_COM1", link_);
    }

    bool LinkGone() const {
        struct stat entry {};
        return lstat(link_.c_str(), &entry) != 0;
    }

    // Ticks as the window's timer does until the change comes; when it came, or the time-out.
    // Without reading the camera again, only the port watches the link.
    Clock::time_point TickUntil(LinkChange wanted, bool readAgain = true) {
        const Clock::time_point deadline = Clock::now() + kPatience;
        while (Clock::now() < deadline) {
            const LinkChange change = readAgain ? LinkWatch::Tick(test_.Context(), view_, area_)
                                                : test_.Context().Get<CameraPort>().CheckLink();
            if (change == wanted) {
                return Clock::now();
            }
            std::this_thread::sleep_for(kTick);
        }
        ADD_FAILURE() << "the link never changed as expected";
        return Clock::now();
    }

    int LogLinesWith(const std::string& part) const {
        int count = 0;
        for (const std::string& line : services_.messageLog.lines) {
            count += line.find(part) != std::string::npos ? 1 : 0;
        }
        return count;
    }

    TestContext test_;
    RecordingServices services_{test_.Context()};
    FakeMainView view_;
    int32_t area_ = 0;
    std::string link_ = test_.Folder().File("camera");
    std::string transcript_ = test_.Folder().File("transcript");
    SimProcess camera_;
    std::unique_ptr<ScopedEnvironment> com1_;
};

TEST_F(UnplugTest, AnIdleLinkThatGoesIsToldOnceAndTheCameraIsReadAgainWhenItIsBack) {
    StartCamera({"--unplug-after", "0.7", "--replug-after", "1.5"});
    ASSERT_TRUE(CameraConnection::ConnectCamera(test_.Context(), area_));
    CommandEngine& engine = test_.Context().Get<CommandEngine>();
    int32_t held = 0;
    ASSERT_TRUE(engine.GetValue(CommandIds::Of("GA"), held, 5000));
    ControlTable& table = test_.Context().Get<ControlTable>();
    table.Told(ControlIds::kGainLevel, held + 1);  // what the pages show goes stale

    ASSERT_TRUE(WaitUntil([&] { return LinkGone(); }, kPatience));
    const Clock::time_point gone = Clock::now();
    const Clock::time_point lost = TickUntil(LinkChange::Lost);
    EXPECT_LT(lost - gone, milliseconds(1000));
    ASSERT_FALSE(services_.onlineStatus.reports.empty());
    EXPECT_FALSE(services_.onlineStatus.reports.back());

    TickUntil(LinkChange::Back);
    EXPECT_EQ(LogLinesWith("COM1 (" + link_ + ") went away"), 1);
    EXPECT_EQ(LogLinesWith("COM1 (" + link_ + ") is back"), 1);
    EXPECT_EQ(table.GetDataValue(ControlIds::kGainLevel), held) << "read again from the camera";
    EXPECT_TRUE(services_.onlineStatus.reports.back());
}

TEST_F(UnplugTest, ARequestWaitingWhenTheLinkGoesEndsAtOnceAndTheNextOneReachesTheNewDevice) {
    StartCamera({"--silent", "--unplug-after", "0.5", "--replug-after", "1"});
    CameraPort& port = test_.Context().Get<CameraPort>();
    ASSERT_TRUE(port.Open(kComCategory, 9600, 0));
    CommandEngine& engine = test_.Context().Get<CommandEngine>();
    int32_t value = 0;
    const Clock::time_point start = Clock::now();
    EXPECT_FALSE(engine.GetValue(CommandIds::Of("GA"), value, 5000));
    EXPECT_LT(Clock::now() - start, milliseconds(1500)) << "unplugged at 0.5 s; offline by 1.5 s";
    ASSERT_FALSE(services_.onlineStatus.reports.empty());
    EXPECT_FALSE(services_.onlineStatus.reports.back());

    TickUntil(LinkChange::Lost, false);
    TickUntil(LinkChange::Back, false);  // a silent camera would hold a read up
    EXPECT_EQ(LogLinesWith("went away"), 1);
    EXPECT_TRUE(port.Write("BL?\r\n"));
    EXPECT_TRUE(WaitUntil(
        [&] {
            const std::vector<std::string> lines = ReceivedLines(transcript_);
            return !lines.empty() && lines.back() == "BL?";
        },
        kPatience));
}

// A camera at 115200 bit/s behind a device server whose line starts at 9600: the start-up's rate
// search reaches it by setting the far line, and the server switched off and on again is a lost
// link that comes back and is read again, as an adapter pulled and plugged in.
TEST_F(UnplugTest, ACameraBehindADeviceServerIsFoundAndOutlivesTheServerGoingAway) {
    if (!Ser2net::Installed()) {
        GTEST_SKIP() << "ser2net is not installed";
    }
    FastWaitClock::UseIn(test_.Context());  // the silence at 9600 bit/s need not take seconds
    StartCamera({"--baud", "115200"});
    Ser2net server(test_.Folder().Path());
    ASSERT_TRUE(server.Start(link_, 9600, Ser2net::Accepter::Rfc2217));
    CameraPort& port = test_.Context().Get<CameraPort>();
    port.SetCategory(kComCategory);
    port.SelectPort(port.PortIndexOf(server.PortName()));
    // As the start-up does: the stored link at 9600 bit/s, then the other rates.
    ASSERT_FALSE(CameraConnection::ConnectCamera(test_.Context(), area_));
    ASSERT_TRUE(CameraConnection::SearchBaudRate(test_.Context(), [](int32_t) {}));
    EXPECT_EQ(port.GetBaudRate(), 115200);

    server.Stop();
    TickUntil(LinkChange::Lost);
    EXPECT_FALSE(services_.onlineStatus.reports.back());
    ASSERT_TRUE(server.Restart());
    TickUntil(LinkChange::Back);
    EXPECT_EQ(LogLinesWith(server.PortName() + " went away"), 1);
    EXPECT_EQ(LogLinesWith(server.PortName() + " is back"), 1);
    EXPECT_TRUE(services_.onlineStatus.reports.back()) << "the camera answered at 115200 again";
}

}  // namespace
