#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "core/SettingsStore.h"
#include "operations/CameraConnection.h"
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

// A start on a Camera Link category whose library is not there says what was looked for where.
TEST(CameraLinkMissingLibraryTest, AStartWithoutTheLibrarySaysWhichFilesAndFoldersWereTried) {
    TestContext test;
    const std::string library = CL_SWAP_FOLDER "/libclserial.so";
    unlink(library.c_str());
    test.Context().Get<SettingsStore>().WriteDword(kCommunicationMode, kCameraLink2001Category);
    test.Restart();
    int32_t area = 0;
    EXPECT_FALSE(CameraConnection::ConnectCamera(test.Context(), area));
    const std::vector<std::string> texts = test.Notifier().Texts();
    ASSERT_EQ(texts.size(), 1u);
    const std::string tried =
        "Failed to initialize!\nlibclserial.so: cannot open shared object file: No such file or "
        "directory\nSearched: ";
    EXPECT_EQ(texts[0].substr(0, tried.size()), tried);
    EXPECT_NE(texts[0].find(CL_SWAP_FOLDER ":", tried.size()), std::string::npos)
        << "the program's own library folder is among those named";

    // The 2000 generation looks for its files in one folder.
    test.Notifier().Clear();
    const std::string empty = test.Folder().File("no-grabbers");
    ScopedEnvironment folder("CLSERIALPATH", empty);
    test.Context().Get<CameraPort>().SetCategory(kCameraLink2000Category);
    EXPECT_FALSE(CameraConnection::ConnectCamera(test.Context(), area));
    EXPECT_EQ(test.Notifier().Texts(),
              (std::vector<std::string>{"Failed to initialize!\nNo Camera Link library "
                                        "libclser*.so in " +
                                        empty}));
}

}  // namespace
