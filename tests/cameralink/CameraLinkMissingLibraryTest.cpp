#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "tests/support/RecordingServices.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TestContext.h"
#include "transport/CameraPort.h"

namespace {

// This program's loader searches the swap folder, where the test puts the 2001 library and
// takes it away again.
TEST(CameraLinkMissingLibraryTest, AMissing2001LibraryKeepsTheListAndOpensNothingSilently) {
    TestContext test;
    RecordingServices services(test.Context());
    ScopedEnvironment two("CLTEST_PORTS", "2");
    const std::string library = CL_SWAP_FOLDER "/libclserial.so";
    unlink(library.c_str());
    ASSERT_EQ(symlink(CL_SEARCH_FOLDER "/libclserial.so", library.c_str()), 0);
    CameraPort& port = test.Context().Get<CameraPort>();
    port.SetCategory(kCameraLink2001Category);
    ASSERT_EQ(port.GetPortCount(), 2);

    unlink(library.c_str());
    EXPECT_EQ(port.GetPortCount(), 2);
    EXPECT_EQ(port.GetPortName(1), "Brix");
    EXPECT_FALSE(port.SelectPort(1));
    EXPECT_TRUE(test.Notifier().Messages().empty());
}

}  // namespace
