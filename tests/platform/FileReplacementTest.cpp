#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

#include "platform/FileReplacement.h"
#include "tests/support/TestContext.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const std::string& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// A saved file that the operator keeps elsewhere behind a link (a shared folder, a versioned
// one) must stay where the link points, with the rights it was given there.
TEST(FileReplacement, SavingOverALinkWritesItsTargetWhichKeepsItsMode) {
    TemporaryFolder folder;
    fs::create_directory(folder.File("shared"));
    const std::string target = folder.File("shared/camera.cam");
    std::ofstream(target) << "GA=100\n";
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(target, mode);
    const std::string link = folder.File("camera.cam");
    std::error_code error;
    fs::create_symlink("shared/camera.cam", link, error);
    if (error) {
        GTEST_SKIP() << "this system makes no symbolic links here: " << error.message();
    }

    ASSERT_TRUE(ReplaceFileContents(link, "GA=800\n"));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
    EXPECT_EQ(ReadFile(target), "GA=800\n");
    EXPECT_EQ(fs::status(target).permissions(), mode);
    int entries = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder.Path())) {
        entries += entry.is_regular_file() || entry.is_symlink() ? 1 : 0;
    }
    EXPECT_EQ(entries, 2) << "no temporary file is left behind";
}

}  // namespace
