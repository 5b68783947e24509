// The Camera Link adapters' Win32 loading under Wine: test DLLs of the three generations carry
// the bytes to rvsim on COM8 (scripts/wine-run serves it and puts clser_a.dll into the
// prefix's system directory).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/CameraModel.h"
#include "operations/CameraConnection.h"
#include "tests/support/RecordingServices.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TestContext.h"
#include "transport/CameraPort.h"

namespace {

// The folder of this test program, where the 2001 and ver. 1.1 DLLs are.
std::string ProgramFolder() {
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string text = path;
    return text.substr(0, text.find_last_of('\\'));
}

class Win32CameraLinkTest : public testing::TestWithParam<int32_t> {
protected:
    CameraPort& Port() { return test.Context().Get<CameraPort>(); }

    TestContext test;
    RecordingServices services{test.Context()};
    ScopedEnvironment device{"CLTEST_DEVICE", "COM8"};
};

TEST_P(Win32CameraLinkTest, TheToolLoadsTheDllAndFindsTheCameraThroughIt) {
    Port().SetCategory(GetParam());
    if (GetParam() == kCameraLink2000Category) {
        ASSERT_EQ(Port().GetPortCount(), 1);
        EXPECT_EQ(Port().GetPortName(0), "clser_a.dll");
    }
    int32_t area = -1;
    ASSERT_TRUE(CameraConnection::ConnectCamera(test.Context(), area));
    EXPECT_EQ(test.Context().Get<CameraModel>().Index(), 3);
    EXPECT_TRUE(test.Notifier().Messages().empty());

    const std::vector<std::string>& log = services.messageLog.lines;
    ASSERT_FALSE(log.empty());
    if (GetParam() == kCameraLink2000Category) {
        EXPECT_EQ(log.front(), "MD?");
    } else {
        const std::string library =
            GetParam() == kCameraLink2001Category ? "clserial.dll" : "clallserial.dll";
        EXPECT_EQ(log.front(), "Camera Link library: " + ProgramFolder() + "\\" + library);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryGeneration, Win32CameraLinkTest,
                         testing::Values(kCameraLink2000Category, kCameraLink2001Category,
                                         kCameraLinkV11Category));

}  // namespace
