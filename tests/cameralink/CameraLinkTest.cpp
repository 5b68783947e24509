#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "controls/CameraModel.h"
#include "controls/ControlIds.h"
#include "controls/ControlTable.h"
#include "operations/CameraConnection.h"
#include "operations/CameraRefresh.h"
#include "protocol/CommandEngine.h"
#include "protocol/CommandIds.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/support/RecordingServices.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/SimProcess.h"
#include "tests/support/TestContext.h"
#include "transport/CameraPort.h"

namespace {

using Lines = std::vector<std::string>;
using namespace std::chrono_literals;

// The Camera Link categories of the port, on the test libraries. The 2000 libraries are
// libclser_a.so and libclser_b.so in the system directory.
class CameraLinkTest : public testing::Test {
protected:
    CameraLinkTest() { camera.BindTo(9); }  // only for its path; nothing opens COM9

    CameraPort& Port() { return test.Context().Get<CameraPort>(); }
    Lines Calls() const {
        Lines calls;
        std::ifstream file(callsPath);
        for (std::string line; std::getline(file, line);) {
            calls.push_back(line);
        }
        return calls;
    }
    bool Called(const std::string& call) const {
        const Lines calls = Calls();
        return std::any_of(calls.begin(), calls.end(), [&](const std::string& line) {
            return line.find(" " + call + " ") != std::string::npos;
        });
    }

    TestContext test;
    RecordingServices services{test.Context()};
    PseudoTerminal camera;
    std::string callsPath = test.Folder().File("calls");
    ScopedEnvironment systemDirectory{"CLSERIALPATH", CL2000_FOLDER};
    ScopedEnvironment device{"CLTEST_DEVICE", camera.DevicePath()};
    ScopedEnvironment calls{"CLTEST_CALLS", callsPath};
};

TEST_F(CameraLinkTest, TheSecondOfTwoClserLibrariesOpensWithIndexOne) {
    Port().SetCategory(kCameraLink2000Category);
    ASSERT_EQ(Port().GetPortCount(), 2);
    EXPECT_EQ(Port().GetPortName(0), "libclser_a.so");
    EXPECT_EQ(Port().GetPortName(1), "libclser_b.so");
    EXPECT_EQ(Port().GetPortName(2), "");
    ASSERT_TRUE(Port().SelectPort(1));
    EXPECT_EQ(Calls(), Lines{"clser_b clSerialInit 1"});
}

TEST_F(CameraLinkTest, The2000InterfaceRefuses19200ButItsPortStaysOpen) {
    Port().SetCategory(kCameraLink2000Category);
    EXPECT_FALSE(Port().SetBaudRate(19200));
    EXPECT_EQ(test.Notifier().Texts(), Lines{"Selected baud rate is not supported."});
    Port().Write("MD?\r\n");
    EXPECT_EQ(camera.Receive(5, 1000ms), "MD?\r\n");
    EXPECT_TRUE(Port().SetBaudRate(9600));
}

TEST_F(CameraLinkTest, AMaskWithout38400RefusesItAndAnAcceptedRateSetsTheLine) {
    ScopedEnvironment mask("CLTEST_BAUD_MASK", "0x1b");  // bit value 4 (38400) missing
    Port().SetCategory(kCameraLink2001Category);
    EXPECT_FALSE(Port().SetBaudRate(38400));
    EXPECT_TRUE(Port().SetBaudRate(57600));
    const termios line = camera.LineState();
    EXPECT_EQ(cfgetospeed(&line), B57600);

    Port().SetCategory(kCameraLinkV11Category);
    Port().GetPortCount();
    EXPECT_FALSE(Port().SetBaudRate(38400));
    EXPECT_EQ(test.Notifier().Texts(), (Lines{"Selected baud rate is not supported.",
                                              "Selected baud rate is not supported in "
                                              "Acme - Port0."}));
}

TEST_F(CameraLinkTest, MakersAndPortsAreListedAndTheChosenMakerIsSelected) {
    ScopedEnvironment two("CLTEST_PORTS", "2");
    Port().SetCategory(kCameraLinkV11Category);
    ASSERT_EQ(Port().GetPortCount(), 2);
    EXPECT_EQ(Port().GetPortName(0), "Acme - Port0");
    EXPECT_EQ(Port().GetPortName(1), "Acme - Port1");

    Port().SetCategory(kCameraLink2001Category);
    ASSERT_EQ(Port().GetPortCount(), 2);
    EXPECT_EQ(Port().GetPortName(1), "Brix");
    ASSERT_TRUE(Port().SelectPort(1));
    const Lines calls = Calls();
    EXPECT_EQ(Lines(calls.begin(), calls.begin() + 2),
              (Lines{"clserial clSelectManufacturer Brix", "clserial clSerialInit 1"}));
}

TEST_F(CameraLinkTest, APortThatDidNotOpenSendsAndReadsNothingThroughTheLibrary) {
    ScopedEnvironment failing("CLTEST_FAIL_INIT", "1");
    Port().SetCategory(kCameraLink2001Category);
    EXPECT_FALSE(Port().Reopen());
    EXPECT_TRUE(test.Notifier().Messages().empty());  // the caller reports it
    Port().Write("MD?\r\n");
    char byte = 0;
    EXPECT_EQ(Port().Read(&byte, 1, 30), 0);
    EXPECT_TRUE(Called("clSerialInit"));
    EXPECT_FALSE(Called("clSerialWrite"));
    EXPECT_FALSE(Called("clSerialRead"));
}

TEST_F(CameraLinkTest, ALibraryLackingAnEntryPointListsNothingAndOpensNothing) {
    // A library of another generation under the expected name.
    ScopedEnvironment lacking("CLTEST_OMIT", "clGetNumBytesAvail");
    Port().SetCategory(kCameraLinkV11Category);
    EXPECT_EQ(Port().GetPortCount(), 0);
    EXPECT_FALSE(Port().Reopen());
    EXPECT_FALSE(Called("clSerialInit"));
    EXPECT_TRUE(test.Notifier().Messages().empty());
}

// A grabber whose serial port goes dead (the library's read fails with more than a time-out) is
// offline at once, told once, and opened again when its port answers again.
TEST_F(CameraLinkTest, APortThatGoesDeadIsToldOnceAndOpenedAgainWhenItIsBack) {
    const std::string link = test.Folder().File("grabber");
    SimProcess sim;
    ASSERT_TRUE(
        sim.Start({"--no-pacing", "--link", link, "--unplug-after", "0.5", "--replug-after", "1"}));
    ScopedEnvironment grabber("CLTEST_DEVICE", link);
    Port().SetCategory(kCameraLinkV11Category);
    ASSERT_EQ(Port().GetPortCount(), 1);
    ASSERT_TRUE(Port().Open(kCameraLinkV11Category, 9600, 0));
    CommandEngine& engine = test.Context().Get<CommandEngine>();

    // Ticks as the window's timer does: the drain reads, then the link is checked.
    std::vector<LinkChange> changes;
    auto gone = std::chrono::steady_clock::time_point::max();
    auto lost = gone;
    EXPECT_TRUE(WaitUntil(
        [&] {
            engine.OnTimer();
            const LinkChange change = Port().CheckLink();
            const auto now = std::chrono::steady_clock::now();
            if (gone == decltype(gone)::max() && access(link.c_str(), F_OK) != 0) {
                gone = now;
            }
            if (change != LinkChange::None) {
                changes.push_back(change);
                lost = change == LinkChange::Lost ? now : lost;
            }
            return change == LinkChange::Back;
        },
        5000ms));
    EXPECT_EQ(changes, (std::vector<LinkChange>{LinkChange::Lost, LinkChange::Back}));
    EXPECT_LT(lost - gone, 1000ms);
    EXPECT_EQ(services.onlineStatus.reports, std::vector<bool>{false});
    const Lines& log = services.messageLog.lines;
    EXPECT_EQ(
        std::count(log.begin(), log.end(),
                   "Acme - Port0 (Camera Link) went away; looking for it again once a second"),
        1);
    int32_t gain = 0;
    EXPECT_TRUE(engine.GetValue(CommandIds::Of("GA"), gain, 5000)) << "the port opened again";
}

// rvtool's start-up and full read, through each generation's library to the simulated camera.
class CameraLinkCameraTest : public CameraLinkTest, public testing::WithParamInterface<int32_t> {};

TEST_P(CameraLinkCameraTest, TheToolFindsTheModelAndReadsTheWholeCamera) {
    SimProcess sim;
    ASSERT_TRUE(sim.Start({"--no-pacing", "--model", "RV-4820M-PTCL"}));
    ScopedEnvironment simDevice("CLTEST_DEVICE", sim.DevicePath());
    Port().SetCategory(GetParam());  // the stored link; nothing listed its ports yet

    int32_t area = -1;
    ASSERT_TRUE(CameraConnection::ConnectCamera(test.Context(), area));
    EXPECT_EQ(test.Context().Get<CameraModel>().Index(), 3);
    ReadCamera(test.Context(), nullptr);
    EXPECT_TRUE(test.Notifier().Messages().empty());

    const Lines& log = services.messageLog.lines;
    const std::string gain =
        "GA=" +
        std::to_string(test.Context().Get<ControlTable>().GetDataValue(ControlIds::kGainLevel));
    EXPECT_NE(std::find(log.begin(), log.end(), gain), log.end());
    if (GetParam() != kCameraLink2000Category) {
        // The operator sees which library on the search path answered.
        const std::string library =
            GetParam() == kCameraLink2001Category ? "libclserial.so" : "libclallserial.so";
        EXPECT_EQ(log.front(), "Camera Link library: " CL_SEARCH_FOLDER "/" + library);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryGeneration, CameraLinkCameraTest,
                         testing::Values(kCameraLink2000Category, kCameraLink2001Category,
                                         kCameraLinkV11Category));

}  // namespace
