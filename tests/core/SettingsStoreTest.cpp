#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/ControlMode.h"
#include "core/SettingsBackend.h"
#include "core/SettingsStore.h"
#include "platform/posix/FileSettingsBackend.h"
#include "tests/support/RecordingSettingsBackend.h"
#include "tests/support/TestContext.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
}

std::string Cwd() {
    return std::filesystem::current_path().string();
}

TEST(SettingsStore, FirstRunCreatesTheStoreAndEveryValueTakesItsDefault) {
    TestContext test;
    ASSERT_FALSE(std::filesystem::exists(test.SettingsPath()));
    SettingsStore& store = test.Context().Get<SettingsStore>();
    EXPECT_TRUE(std::filesystem::exists(test.SettingsPath()));
    EXPECT_FALSE(store.PreviousShutdownNormal());

    for (int index : {kCommunicationMode, kComPortNo, kCameralink2000DllIndex,
                      kCameralink2001DllIndex, kCameralinkVer11DllIndex, kControlModeValue}) {
        int32_t value = 77;
        EXPECT_FALSE(store.ReadDword(index, value, 0)) << index;
        EXPECT_EQ(value, 0);
    }
    std::string path = "unchanged";
    EXPECT_FALSE(store.ReadPath(kCameraFilePath, path));
    EXPECT_EQ(path, Cwd());
    EXPECT_FALSE(test.Context().Get<ControlMode>().IsFactory());
    EXPECT_TRUE(test.Notifier().Messages().empty());
}

TEST(SettingsStore, ValuesSurviveARestart) {
    TestContext test;
    TemporaryFolder cameras;
    {
        SettingsStore& store = test.Context().Get<SettingsStore>();
        EXPECT_TRUE(store.WriteDword(kComPortNo, 2));
        EXPECT_TRUE(store.WriteDword(kBaudrate, 38400));
        EXPECT_TRUE(store.WriteDword(kCommunicationMode, -1));
        EXPECT_TRUE(store.WritePath(kCameraFilePath, cameras.Path()));
        EXPECT_TRUE(store.WritePath(kCommandLogFilePath, "with \"quotes\" and \\ back"));
    }
    test.Restart();
    SettingsStore& store = test.Context().Get<SettingsStore>();
    EXPECT_TRUE(store.PreviousShutdownNormal());
    int32_t value = 0;
    EXPECT_TRUE(store.ReadDword(kComPortNo, value, 0));
    EXPECT_EQ(value, 2);
    EXPECT_TRUE(store.ReadDword(kBaudrate, value, 0));
    EXPECT_EQ(value, 38400);
    EXPECT_TRUE(store.ReadDword(kCommunicationMode, value, 0));
    EXPECT_EQ(value, -1);
    std::string path;
    EXPECT_TRUE(store.ReadPath(kCameraFilePath, path));
    EXPECT_EQ(path, cameras.Path());
    // A stored text that names nothing on disk is not proposed.
    EXPECT_FALSE(store.ReadPath(kCommandLogFilePath, path));
    EXPECT_EQ(path, Cwd());
}

TEST(SettingsStore, TextValuesCountByTheirLeadingNumber) {
    TestContext test;
    WriteFile(test.SettingsPath(),
              "[Software\\Varnel\\RV-2410-TCL Control Tool]\n"
              "\"Control Mode\"=\"1\"\n"
              "\"Com Port No\"=\"12abc\"\n"
              "\"Cameralink 2000 Dll Index\"=\"-7\"\n"
              "\"Cameralink 2001 Dll Index\"=\"abc\"\n"
              "\"Cameralink Ver11 Dll Index\"=\"99999999999\"\n"
              "\"Communication Mode\"=dword:zz\n");
    SettingsStore& store = test.Context().Get<SettingsStore>();
    int32_t value = 99;
    EXPECT_TRUE(test.Context().Get<ControlMode>().IsFactory());
    EXPECT_TRUE(store.ReadDword(kComPortNo, value, 0));
    EXPECT_EQ(value, 12);
    EXPECT_TRUE(store.ReadDword(kCameralink2000DllIndex, value, 0));
    EXPECT_EQ(value, -7);
    EXPECT_TRUE(store.ReadDword(kCameralink2001DllIndex, value, 5));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(store.ReadDword(kCameralinkVer11DllIndex, value, 0));
    EXPECT_EQ(value, INT32_MAX);  // too large: the largest value, not a wrapped one
    EXPECT_FALSE(store.ReadDword(kCommunicationMode, value, 3));  // unreadable: the default
    EXPECT_EQ(value, 3);
}

TEST(SettingsStore, IndicesOutsideTheTableFail) {
    TestContext test;
    SettingsStore& store = test.Context().Get<SettingsStore>();
    int32_t value = 0;
    EXPECT_FALSE(store.ReadDword(10, value, 42));
    EXPECT_EQ(value, 42);
    EXPECT_FALSE(store.ReadDword(-1, value, 43));
    EXPECT_FALSE(store.WriteDword(10, 1));
    EXPECT_FALSE(store.WritePath(10, "/"));
    std::string path;
    EXPECT_FALSE(store.ReadPath(10, path));
    EXPECT_EQ(path, Cwd());
}

TEST(SettingsStore, OverlongOrMissingPathsFallBackToTheWorkingDirectory) {
    TestContext test;
    SettingsStore& store = test.Context().Get<SettingsStore>();
    // An existing folder whose name is 260 characters long or more is refused.
    std::string deep = test.Folder().Path();
    while (deep.size() < 270) {
        deep += "/" + std::string(40, 'd');
    }
    std::filesystem::create_directories(deep);
    std::string path;
    ASSERT_TRUE(store.WritePath(kCameraFilePath, deep));
    EXPECT_FALSE(store.ReadPath(kCameraFilePath, path));
    EXPECT_EQ(path, Cwd());
    ASSERT_TRUE(store.WritePath(kCameraFilePath, ""));
    EXPECT_FALSE(store.ReadPath(kCameraFilePath, path));
    ASSERT_TRUE(store.WritePath(kCameraFilePath, test.Folder().Path()));
    EXPECT_TRUE(store.ReadPath(kCameraFilePath, path));
    EXPECT_EQ(path, test.Folder().Path());
}

TEST(SettingsStore, ExitSavesEndWithTheNormalShutdownMark) {
    TestContext test;
    test.Context().Get<ControlMode>().Set(1);
    EXPECT_NE(ReadFile(test.SettingsPath())
                  .find("\"Previous Application Shutdown Status\"=dword:00000000"),
              std::string::npos);
    test.Restart();

    const std::string text = ReadFile(test.SettingsPath());
    EXPECT_NE(text.find("\"Control Mode\"=dword:00000001"), std::string::npos) << text;
    EXPECT_NE(text.find("\"Previous Application Shutdown Status\"=dword:00000001"),
              std::string::npos)
        << text;
    EXPECT_TRUE(test.Context().Get<SettingsStore>().PreviousShutdownNormal());
    EXPECT_TRUE(test.Context().Get<ControlMode>().IsFactory());
}

TEST(SettingsStore, ShutdownMarkIsTheLastWriteOfARun) {
    RecordingSettingsBackend backend;
    {
        ProcessContext context;
        context.ProvideExternal<SettingsBackend>(backend);
        context.Get<ControlMode>().Toggle();
    }
    const std::vector<std::pair<std::string, uint32_t>> expected = {
        {"Previous Application Shutdown Status", 0},
        {"Control Mode", 1},
        {"Previous Application Shutdown Status", 1}};
    EXPECT_EQ(backend.writes, expected);
}

TEST(SettingsStore, ARunThatDiesLeavesTheFlagAtZero) {
    TestContext test;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ProcessContext context;
        context.Get<ControlMode>().Set(1);
        _exit(0);  // no exit-time saves
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));

    EXPECT_NE(ReadFile(test.SettingsPath())
                  .find("\"Previous Application Shutdown Status\"=dword:00000000"),
              std::string::npos);
    EXPECT_FALSE(test.Context().Get<SettingsStore>().PreviousShutdownNormal());
    EXPECT_FALSE(test.Context().Get<ControlMode>().IsFactory());  // never saved
}

TEST(FileSettingsBackend, KeepsForeignLinesAndLeavesNoTemporaryFiles) {
    TemporaryFolder folder;
    const std::string path = folder.File("nested/dir/settings.ini");
    FileSettingsBackend backend(path);
    ASSERT_TRUE(backend.WriteDword("Com Port No", 3));
    std::ofstream(path, std::ios::app) << "; a note the operator wrote\ngarbage without quotes\n";
    ASSERT_TRUE(backend.WriteDword("Com Port No", 4));
    ASSERT_TRUE(backend.WriteText("Camera File Path", "/tmp"));

    const std::string text = ReadFile(path);
    EXPECT_NE(text.find("; a note the operator wrote"), std::string::npos);
    EXPECT_NE(text.find("garbage without quotes"), std::string::npos);
    EXPECT_EQ(text.find("dword:00000003"), std::string::npos);
    ASSERT_TRUE(backend.Read("Com Port No").has_value());
    EXPECT_EQ(backend.Read("Com Port No")->dword, 4u);
    EXPECT_EQ(backend.Read("Camera File Path")->text, "/tmp");
    EXPECT_FALSE(backend.Read("Missing").has_value());

    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.File("nested/dir"))) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST(FileSettingsBackend, AStoreThatCannotBeWrittenFailsWithoutHarm) {
    TemporaryFolder folder;
    const std::string blocker = folder.File("not-a-folder");
    WriteFile(blocker, "x");
    FileSettingsBackend backend(blocker + "/settings.ini");
    EXPECT_FALSE(backend.WriteDword("Com Port No", 1));
    EXPECT_FALSE(backend.Read("Com Port No").has_value());
    EXPECT_EQ(ReadFile(blocker), "x");
}

TEST(FileSettingsBackend, DefaultPathHonoursTheOverrideAndXdgConfigHome) {
    const std::string saved = getenv("RVTOOL_SETTINGS") ? getenv("RVTOOL_SETTINGS") : "";
    setenv("RVTOOL_SETTINGS", "/some/where.ini", 1);
    EXPECT_EQ(FileSettingsBackend::DefaultPath(), "/some/where.ini");
    unsetenv("RVTOOL_SETTINGS");
    setenv("XDG_CONFIG_HOME", "/xdg", 1);
    EXPECT_EQ(FileSettingsBackend::DefaultPath(), "/xdg/rvtool/settings.ini");
    unsetenv("XDG_CONFIG_HOME");
    if (!saved.empty()) {
        setenv("RVTOOL_SETTINGS", saved.c_str(), 1);
    }
}

}  // namespace
