#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
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
        EXPECT_TRUE(store.WriteDword(kControlModeValue, -1));
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
    EXPECT_TRUE(store.ReadDword(kControlModeValue, value, 0));
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
              "\"Baudrate\"=\"-7\"\n"
              "\"Cameralink 2001 Dll Index\"=\"abc\"\n"
              "\"Cameralink Ver11 Dll Index\"=\"99999999999\"\n"
              "\"Communication Mode\"=dword:zz\n");
    SettingsStore& store = test.Context().Get<SettingsStore>();
    int32_t value = 99;
    EXPECT_TRUE(test.Context().Get<ControlMode>().IsFactory());
    EXPECT_TRUE(store.ReadDword(kComPortNo, value, 0));
    EXPECT_EQ(value, 12);
    EXPECT_TRUE(store.ReadDword(kBaudrate, value, 0));
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
    EXPECT_FALSE(store.ReadDword(kSettingCount, value, 42));
    EXPECT_EQ(value, 42);
    EXPECT_FALSE(store.ReadDword(-1, value, 43));
    EXPECT_FALSE(store.WriteDword(kSettingCount, 1));
    EXPECT_FALSE(store.WritePath(kSettingCount, "/"));
    std::string path;
    EXPECT_FALSE(store.ReadPath(kSettingCount, path));
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

TEST(SettingsStore, ACategoryOrPortIndexOutsideItsListTakesItsDefault) {
    TestContext test;
    WriteFile(test.SettingsPath(),
              "[Software\\Varnel\\RV-2410-TCL Control Tool]\n"
              "\"Communication Mode\"=dword:00000004\n"
              "\"Com Port No\"=\"99999999999\"\n"
              "\"Cameralink 2000 Dll Index\"=dword:ffffffff\n");
    SettingsStore& store = test.Context().Get<SettingsStore>();
    for (int index : {kCommunicationMode, kComPortNo, kCameralink2000DllIndex}) {
        int32_t value = 9;
        EXPECT_FALSE(store.ReadDword(index, value, 0)) << index;
        EXPECT_EQ(value, 0) << index;
    }
}

TEST(SettingsStore, AFileThatCannotBeReadIsLeftAsItIsAndTheRunTakesTheDefaults) {
    TestContext test;
    const std::string kept =
        "[Software\\Varnel\\RV-2410-TCL Control Tool]\n"
        "\"Control Mode\"=dword:00000001\n"
        "\"Com Port No\"=dword:00000005\n";
    WriteFile(test.SettingsPath(), kept);
    const std::string errors = test.Folder().File("stderr.txt");
    constexpr uid_t kNobody = 65534;
    if (getuid() == 0) {
        // Root reads every file: the run goes to an ordinary user, who owns the folder.
        ASSERT_EQ(chown(test.Folder().Path().c_str(), kNobody, kNobody), 0);
        ASSERT_EQ(chown(test.SettingsPath().c_str(), kNobody, kNobody), 0);
    }
    ASSERT_EQ(chmod(test.SettingsPath().c_str(), 0), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const int log = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (log < 0 || dup2(log, STDERR_FILENO) < 0 ||
            (getuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0))) {
            _exit(10);
        }
        int wrong = 0;
        {
            ProcessContext context;
            SettingsStore& store = context.Get<SettingsStore>();
            wrong += context.Get<ControlMode>().IsFactory() ? 1 : 0;
            wrong += store.WriteDword(kComPortNo, 3) ? 2 : 0;
        }  // the exit-time saves
        _exit(wrong);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: not on the defaults, 2: a write was taken";
    struct stat info {};
    ASSERT_EQ(stat(test.SettingsPath().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0u) << "the file was replaced";
    ASSERT_EQ(chmod(test.SettingsPath().c_str(), 0600), 0);
    EXPECT_EQ(ReadFile(test.SettingsPath()), kept);
    const std::string message = ReadFile(errors);
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
    EXPECT_NE(message.find(test.SettingsPath()), std::string::npos) << message;
    EXPECT_NE(message.find(std::strerror(EACCES)), std::string::npos) << message;
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

TEST(FileSettingsBackend, TwoCopiesWritingAtOnceKeepEachOthersValues) {
    TemporaryFolder folder;
    const std::string path = folder.File("settings.ini");
    constexpr int kValues = 500;
    const auto name = [](int writer, int i) {
        return "Writer " + std::to_string(writer) + " value " + std::to_string(i);
    };
    int start[2];
    ASSERT_EQ(pipe(start), 0);
    pid_t writers[2];
    for (int writer = 0; writer < 2; ++writer) {
        writers[writer] = fork();
        ASSERT_GE(writers[writer], 0);
        if (writers[writer] == 0) {
            close(start[1]);
            char go = 0;
            if (read(start[0], &go, 1) != 0) {  // both begin when the parent closes the pipe
                _exit(2);
            }
            FileSettingsBackend backend(path);
            bool failed = false;
            for (int i = 0; i < kValues; ++i) {
                failed = !backend.WriteDword(name(writer, i), static_cast<uint32_t>(i)) || failed;
            }
            _exit(failed ? 1 : 0);
        }
    }
    close(start[0]);
    close(start[1]);
    for (pid_t writer : writers) {
        int status = 0;
        ASSERT_EQ(waitpid(writer, &status, 0), writer);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    FileSettingsBackend backend(path);
    for (int writer = 0; writer < 2; ++writer) {
        int kept = 0;
        for (int i = 0; i < kValues; ++i) {
            const std::optional<StoredValue> value = backend.Read(name(writer, i));
            kept += value && value->dword == static_cast<uint32_t>(i) ? 1 : 0;
        }
        EXPECT_EQ(kept, kValues) << "writer " << writer;
    }
}

TEST(FileSettingsBackend, ALinkIsWrittenThroughToItsTargetWhichKeepsItsMode) {
    TemporaryFolder folder;
    std::filesystem::create_directory(folder.File("real"));
    const std::string target = folder.File("real/settings.ini");
    WriteFile(target, "[Software\\Varnel\\RV-2410-TCL Control Tool]\n");
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    const std::string link = folder.File("settings.ini");
    ASSERT_EQ(symlink("real/settings.ini", link.c_str()), 0);

    FileSettingsBackend backend(link);
    ASSERT_TRUE(backend.WriteDword("Com Port No", 3));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_NE(ReadFile(target).find("\"Com Port No\"=dword:00000003"), std::string::npos);
    struct stat info {};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST(FileSettingsBackend, LinesEndingInSeveralCarriageReturnsKeepTheirValuesAcrossRewrites) {
    TemporaryFolder folder;
    const std::string path = folder.File("settings.ini");
    WriteFile(path,
              "[Software\\Varnel\\RV-2410-TCL Control Tool]\r\r\n"
              "\"Communication Mode\"=dword:00000001\r\r\n");
    FileSettingsBackend backend(path);
    for (uint32_t rewrite = 0; rewrite < 3; ++rewrite) {
        const std::optional<StoredValue> mode = backend.Read("Communication Mode");
        ASSERT_TRUE(mode.has_value()) << "after " << rewrite << " rewrites";
        EXPECT_EQ(mode->dword, 1u);
        ASSERT_TRUE(backend.WriteDword("Com Port No", rewrite));
    }
}

TEST(FileSettingsBackend, AFolderNameWithLineBreaksReadsBackUnchangedAndLeavesNoStrayLine) {
    TemporaryFolder folder;
    const std::string path = folder.File("settings.ini");
    FileSettingsBackend backend(path);
    const std::string name = "/data/first line\nsecond line\r\n\\end\"";
    ASSERT_TRUE(backend.WriteText("Camera File Path", name));
    const std::optional<StoredValue> stored = backend.Read("Camera File Path");
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->text, name);
    ASSERT_TRUE(backend.WriteText("Camera File Path", "/data"));
    EXPECT_EQ(ReadFile(path).find("second line"), std::string::npos) << ReadFile(path);
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
