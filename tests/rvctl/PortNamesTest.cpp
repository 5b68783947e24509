// Ports as a production line names them: a stable device name and a camera behind a serial
// device server, both in one run.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/rvctl/RvctlFixture.h"
#include "tests/support/Ser2net.h"
#include "tests/support/SimProcess.h"

namespace {

class PortNamesTest : public RvctlFixture {};

// A camera reached by a symlink (as /dev/serial/by-id/... is) and one at 115200 bit/s behind a
// device server whose line starts at 9600: the rate search sets the far line, each result is
// told under the name given, and {port} makes a file name of it without making folders.
TEST_F(PortNamesTest, ADeviceNameAndADeviceServerAreCamerasLikeAnyOther) {
    if (!Ser2net::Installed()) {
        GTEST_SKIP() << "ser2net is not installed";
    }
    const std::string byId = folder.File("usb-Maker_Adapter_A1-if00-port0");
    SimProcess near;
    ASSERT_TRUE(near.Start({"--link", byId, "--no-pacing"}));
    SimProcess far;
    ASSERT_TRUE(far.Start({"--baud", "115200", "--no-pacing"}));
    Ser2net server(folder.Path());
    ASSERT_TRUE(server.Start(far.DevicePath(), 9600, Ser2net::Accepter::Rfc2217));
    const std::string ports = byId + "," + server.PortName();

    const ToolRun detect = Rvctl({"--port", ports, "detect"});
    EXPECT_EQ(detect.status, 0) << detect.err;
    EXPECT_EQ(Lines(detect.out),
              (std::vector<std::string>{byId + " 9600 RV-2410M-TCL",
                                        server.PortName() + " 115200 RV-2410M-TCL"}));

    const ToolRun dump = Rvctl({"--port", ports, "dump", "-o", folder.File("{port}.cam")});
    EXPECT_EQ(dump.status, 0) << dump.err;
    std::string nearFile = byId.substr(1) + ".cam";
    std::replace(nearFile.begin(), nearFile.end(), '/', '_');
    const std::string farFile = "rfc2217_127.0.0.1_" + std::to_string(server.Port()) + ".cam";
    EXPECT_TRUE(std::filesystem::is_regular_file(folder.File(nearFile))) << nearFile;
    EXPECT_TRUE(std::filesystem::is_regular_file(folder.File(farFile))) << farFile;
}

}  // namespace
