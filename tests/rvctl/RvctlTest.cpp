#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "controls/ControlCatalog.h"
#include "controls/ControlDefinition.h"
#include "controls/ControlIds.h"
#include "core/ControlMode.h"
#include "core/Version.h"
#include "operations/CameraFile.h"
#include "operations/CameraRefresh.h"
#include "tests/rvctl/RvctlFixture.h"
#include "tests/rvctl/ToolProcess.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/SimProcess.h"
#include "tests/support/SimTranscript.h"
#include "tests/support/TestContext.h"
#include "transport/CameraPort.h"

namespace {

using RvctlTest = RvctlFixture;

TEST_F(RvctlTest, ExitStatusSaysWhatHappenedAndJsonNamesThePortOfEachResult) {
    const std::string refusing = Camera(1, {"--refuse", "GA"});
    Camera(2, {"--silent"});
    Camera(3, {"--mute", "GA"});
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out;  // all of it
        std::string err;  // a part of it
    };
    const Case cases[] = {
        {{"--bogus"}, 2, "", "unknown option \"--bogus\""},
        {{"--port", "COM1", "get", "GAX"}, 2, "", "unknown parameter \"GAX\""},
        {{"--port", "COM1", "set", "TG=Internal", "GA=1601"}, 2, "", "100 to 1600"},
        {{"--port", "COM1", "set", "GA=400"}, 1, "", "Communication Error: Error: Refused"},
        // The camera took the value but its answer was lost: read back, it is a success.
        {{"--port", "COM3", "set", "GA=800"}, 0, "GA=800\n", ""},
        {{"--port", "COM2", "--baud", "9600", "get", "GA"}, 3, "", "COM2: no camera answered"},
        {{"--port", "COM1", "--json", "get", "GA", "tg"},
         0,
         "{\"port\":\"COM1\",\"mnemonic\":\"GA\",\"value\":100}\n"
         "{\"port\":\"COM1\",\"mnemonic\":\"TG\",\"value\":0,\"text\":\"Internal\"}\n",
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        const ToolRun run = Rvctl(c.args);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_EQ(run.out, c.out);
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    }
    const std::vector<std::string> received = ReceivedLines(refusing);
    EXPECT_NE(std::find(received.begin(), received.end(), "GA=400"), received.end())
        << "the refused value went out";
    for (const std::string& line : received) {
        EXPECT_EQ(line.find("1601"), std::string::npos) << "a value out of range is never sent";
        EXPECT_EQ(line.find("TG="), std::string::npos) << "nor what stood before it";
    }
}

TEST_F(RvctlTest, AListTakesAnItemByTextAndTheCameraGetsTheItemsValue) {
    const std::string transcript = Camera(1);
    const ToolRun set = Rvctl({"--port", "COM1", "set", "HB=binning on", "TG=External"});
    EXPECT_EQ(set.status, 0) << set.err;
    EXPECT_EQ(set.out, "HB=Binning On\nTG=External\n");
    const std::vector<std::string> received = ReceivedLines(transcript);
    EXPECT_NE(std::find(received.begin(), received.end(), "HB=2"), received.end())
        << "the page's own value of the item, not its position";
    EXPECT_NE(std::find(received.begin(), received.end(), "TG=1"), received.end());

    const ToolRun get = Rvctl({"--port", "COM1", "--json", "get", "HB"});
    EXPECT_EQ(get.out,
              "{\"port\":\"COM1\",\"mnemonic\":\"HB\",\"value\":2,\"text\":\"Binning On\"}\n");
}

TEST_F(RvctlTest, TerminalSendsPipedLinesAsTypedAndPrintsTheStampedTrace) {
    const std::string transcript = Camera(1);
    const ToolRun run =
        Rvctl({"--port", "COM1", "terminal", "--timeout", "200"}, "GA?\nbl = 5\r\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReceivedLines(transcript), (std::vector<std::string>{"GA?", "bl = 5"}));
    std::vector<std::string> trace;
    const std::regex stamped("[0-2][0-9]:[0-5][0-9]:[0-5][0-9]:[0-9]{3}  (.*)");
    for (const std::string& line : Lines(run.out)) {
        std::smatch match;
        ASSERT_TRUE(std::regex_match(line, match, stamped)) << line;
        trace.push_back(match[1]);
    }
    ASSERT_EQ(trace.size(), 4u) << run.out;
    EXPECT_EQ(trace[0], "Tx: GA?");
    EXPECT_EQ(std::count(trace.begin(), trace.end(), "Rx: GA=100"), 1) << run.out;
}

TEST_F(RvctlTest, TerminalSendsAFactoryCommandOnlyInFactoryMode) {
    const std::string transcript = Camera(1);
    const std::string input = "SA00=0\nga00 = 150\nBYP0=1\nGA?\n";
    const ToolRun user = Rvctl({"--port", "COM1", "--user", "terminal", "--timeout", "200"}, input);
    EXPECT_EQ(user.status, 1) << user.err;
    EXPECT_NE(user.err.find("SA00 is a factory function"), std::string::npos) << user.err;
    EXPECT_NE(user.err.find("GA00 is a factory function"), std::string::npos) << user.err;
    EXPECT_EQ(ReceivedLines(transcript), std::vector<std::string>{"GA?"});

    const ToolRun factory =
        Rvctl({"--port", "COM1", "--factory", "terminal", "--timeout", "200"}, input);
    EXPECT_EQ(factory.status, 0) << factory.err;
    EXPECT_EQ(ReceivedLines(transcript),
              (std::vector<std::string>{"GA?", "SA00=0", "ga00 = 150", "BYP0=1", "GA?"}));
}

// Each answer runs on without a line end: the receiver overflows again and again, and says so
// once.
TEST_F(RvctlTest, TerminalOnALineThatNeverEndsTellsTheOverflowOnce) {
    Camera(1, {"--no-lf-after", "0"});
    std::string input;
    for (int i = 0; i < 30; ++i) {
        input += "GA?\n";
    }
    const ToolRun run = Rvctl({"--port", "COM1", "terminal", "--timeout", "200"}, input);
    std::size_t told = 0;
    for (std::size_t at = 0;
         (at = run.err.find("receiving buffer overflowed", at)) != std::string::npos; ++at) {
        ++told;
    }
    EXPECT_EQ(told, 1u) << run.err;
}

TEST_F(RvctlTest, ASilentCameraAmongThreeIsNamedAndTheOtherTwoAreDone) {
    const std::string first = Camera(1);
    Camera(2, {"--silent"});
    const std::string third = Camera(3);
    const ToolRun run = Rvctl({"--port", "COM1,COM2,COM3", "--baud", "9600", "set", "GA=400"});
    EXPECT_EQ(run.status, 3);
    std::vector<std::string> out = Lines(run.out);
    std::sort(out.begin(), out.end());
    EXPECT_EQ(out, (std::vector<std::string>{"COM1 GA=400", "COM3 GA=400"}));
    EXPECT_NE(run.err.find("rvctl: COM2: no camera answered at 9600 bit/s"), std::string::npos)
        << run.err;
    for (const std::string& transcript : {first, third}) {
        const std::vector<std::string> received = ReceivedLines(transcript);
        EXPECT_NE(std::find(received.begin(), received.end(), "GA=400"), received.end());
    }
}

TEST_F(RvctlTest, TheWindowsSettingsAreReadForTheLinkAndNeverWritten) {
    Camera(4);
    const std::string path = folder.File("settings.ini");
    {
        std::ofstream file(path, std::ios::binary);
        file << "[Software\\Varnel\\RV-2410-TCL Control Tool]\r\n"
                "\"Previous Application Shutdown Status\"=dword:00000001\r\n"
                "\"Communication Mode\"=dword:00000000\r\n"
                "\"Com Port No\"=dword:00000003\r\n"
                "\"Control Mode\"=dword:00000001\r\n";
    }
    const std::string before = Contents(path);
    const ToolRun run = Rvctl({"--factory", "get", "GA4A00"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "GA4A00=100\n") << "COM4, as the window left it";
    EXPECT_EQ(Contents(path), before);

    std::filesystem::remove(path);
    EXPECT_EQ(Rvctl({"--port", "COM4", "get", "GA"}).status, 0);
    EXPECT_FALSE(std::filesystem::exists(path)) << "a missing store is the window's to make";
}

TEST_F(RvctlTest, ADumpIsTheWindowsSaveAndADiffNamesExactlyWhatDiffers) {
    Camera(1);
    ASSERT_EQ(Rvctl({"--port", "COM1", "set", "GA=800", "TG=External"}).status, 0);
    const std::string saved = folder.File("window.cam");
    {
        // The window's File > Save as "All Data" in factory mode, on the same camera.
        TestContext window;
        window.Context().Get<ControlMode>().Set(1);
        ASSERT_TRUE(window.Context().Get<CameraPort>().Open(kComCategory, 9600, 0));
        ReadCamera(window.Context(), nullptr);
        ASSERT_TRUE(
            CameraFile::SaveSettingsFile(window.Context(), saved, CameraFile::Variant::AllData));
    }
    const ToolRun dump = Rvctl({"--port", "COM1", "--factory", "dump"});
    EXPECT_EQ(dump.status, 0) << dump.err;
    EXPECT_EQ(dump.out, Contents(saved));
    EXPECT_EQ(Rvctl({"--port", "COM1", "--factory", "diff", saved}).out, "");

    std::string edited = Contents(saved);
    for (const auto& [from, to] : {std::pair<std::string, std::string>{"\nGA=800\n", "\nGA=400\n"},
                                   {"\nBL4A00=0\n", "\nBL4A00=7\n"}}) {
        ASSERT_NE(edited.find(from), std::string::npos) << from;
        edited.replace(edited.find(from), from.size(), to);
    }
    std::ofstream(saved, std::ios::binary | std::ios::trunc) << edited;
    const ToolRun diff = Rvctl({"--port", "COM1", "--factory", "diff", saved});
    EXPECT_EQ(diff.status, 1) << diff.err;
    const std::vector<std::string> lines = Lines(diff.out);
    ASSERT_EQ(lines.size(), 2u) << diff.out;
    EXPECT_EQ(lines[0].rfind("GA camera=800 file=400", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind("BL4A00 camera=0 file=7", 0), 0u) << lines[1];
}

// Shipping Data holds the factory parameters, which only factory mode reads: without them the
// file would not be the camera's, so nothing is written.
TEST_F(RvctlTest, ADumpOfParametersNotReadWritesNothingAndNamesThem) {
    Camera(1);
    const std::string path = folder.File("shipping.cam");
    const ToolRun user = Rvctl({"--port", "COM1", "--user", "dump", "--shipping", "-o", path});
    EXPECT_EQ(user.status, 1);
    EXPECT_NE(user.err.find("not read from the camera: "), std::string::npos) << user.err;
    EXPECT_NE(user.err.find("which are read only with --factory"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(path));

    const ToolRun factory =
        Rvctl({"--port", "COM1", "--factory", "dump", "--shipping", "-o", path});
    EXPECT_EQ(factory.status, 0) << factory.err;
    EXPECT_EQ(Lines(Contents(path)).size(), 36u);
}

TEST_F(RvctlTest, ALoadNamesTheLinesTheCameraRefusedOrThatNoCommandHasAndFails) {
    const std::string transcript = Camera(1, {"--refuse", "BL"});
    const std::string path = folder.File("settings.cam");
    std::ofstream(path) << "DV=1\nGA=700\nBL=3\nMF=1\nGAA=400\n";
    const ToolRun load = Rvctl({"--port", "COM1", "load", path});
    EXPECT_EQ(load.status, 1) << load.err;
    EXPECT_EQ(load.out, "line 3: the camera refused BL\nline 5: unknown mnemonic GAA\n" + path +
                            ": Loaded 3 lines, 1 refused (line 3, BL), 1 unknown mnemonic (line "
                            "5, GAA)\n");
    std::ofstream(path) << "GA=700\nGAA=400\n";
    const ToolRun diff = Rvctl({"--port", "COM1", "diff", path});
    EXPECT_EQ(diff.status, 1) << diff.err;
    EXPECT_EQ(diff.out, "line 2: unknown mnemonic GAA\n");
    const std::vector<std::string> received = ReceivedLines(transcript);
    EXPECT_NE(std::find(received.begin(), received.end(), "MF=1"), received.end())
        << "the lines after a refusal still go";
}

// A field the camera did not tell is no success: the run names it.
TEST_F(RvctlTest, InfoNamesWhatTheCameraDidNotTellAndFails) {
    // The fourth answer, to the camera id's query after the search's and info's first two.
    Camera(1, {"--garbage-every", "4"});
    const ToolRun info = Rvctl({"--port", "COM1", "info"});
    EXPECT_EQ(info.status, 1) << info.err;
    EXPECT_NE(info.out.find("Camera ID: ??????????\n"), std::string::npos) << info.out;
    EXPECT_NE(info.err.find("COM1: the camera did not tell: Camera ID"), std::string::npos)
        << info.err;
}

TEST_F(RvctlTest, ARestoreThatCouldNotReadTheCameraBackFails) {
    Camera(1, {"--model", "RV-9999"});
    const ToolRun restore = Rvctl({"--port", "COM1", "restore", "User1"});
    EXPECT_EQ(restore.status, 1) << restore.err;
    EXPECT_NE(restore.err.find("User 1 loaded, but nothing was read back"), std::string::npos)
        << restore.err;
}

TEST_F(RvctlTest, ALoadInterruptedByCtrlCSaysHowFarItGotAndEndsWith130) {
    const std::string transcript = Camera(1, {"--delay-ms", "200"});
    const std::string path = folder.File("settings.cam");
    std::ofstream(path) << "GA=100\nGA=101\nGA=102\nGA=103\nGA=104\nGA=105\nGA=106\nGA=107\n";
    auto sent = [&] {
        const std::vector<std::string> received = ReceivedLines(transcript);
        return std::count_if(received.begin(), received.end(),
                             [](const std::string& line) { return line.rfind("GA=", 0) == 0; });
    };
    const ToolRun load = RunTool(RVCTL_EXECUTABLE, {"--port", "COM1", "load", path}, "",
                                 std::chrono::seconds(30), [&] { return sent() >= 3; });
    EXPECT_EQ(load.status, 130) << load.err;
    EXPECT_LT(sent(), 8);
    const std::string told = path + ": interrupted: Loaded ";
    ASSERT_EQ(load.out.rfind(told, 0), 0u) << load.out;
    const int loaded = std::atoi(load.out.c_str() + told.size());
    EXPECT_GE(loaded, 3);
    EXPECT_LT(loaded, 8);
    EXPECT_NE(load.out.find(" lines, 0 refused; the lines after were not sent\n"),
              std::string::npos)
        << load.out;
}

// A file that sets nothing would load nothing and compare equal: it is refused before any
// camera is asked.
TEST_F(RvctlTest, LoadAndDiffRefuseAFileWithoutParameterLinesBeforeAskingTheCamera) {
    const std::string transcript = Camera(1);
    const std::string folderPath = folder.File("folder");
    std::filesystem::create_directory(folderPath);
    const std::pair<const char*, std::string> files[] = {
        {"empty.cam", ""},
        {"noise.cam", std::string(100000, '\x01') + "\x93\xff=\x02\n"},
        {"settings.json", "{\"GA\": 400}\n"},
    };
    std::vector<std::string> paths = {folderPath};
    for (const auto& [name, contents] : files) {
        paths.push_back(folder.File(name));
        std::ofstream(paths.back(), std::ios::binary) << contents;
    }
    for (const std::string& path : paths) {
        for (const char* command : {"load", "diff"}) {
            SCOPED_TRACE(path + " " + command);
            const ToolRun run = Rvctl({"--port", "COM1", command, path});
            EXPECT_EQ(run.status, 2);
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(run.err, "rvctl: no parameter lines in " + path + "\n");
        }
    }
    EXPECT_EQ(ReceivedLines(transcript), std::vector<std::string>{});
}

// A settings file from a pipe or a process substitution can be read once: every camera must
// get its lines all the same.
TEST_F(RvctlTest, AFileNamedOnceIsReadOnceAndEveryCameraGetsItsLines) {
    const std::string transcripts[] = {Camera(1), Camera(2), Camera(3)};
    const std::string golden = folder.File("golden.cam");
    std::ofstream(golden) << "GA=700\nBL=3\n";
    const ToolRun load = RunTool(
        "/bin/bash",
        {"-c", "exec \"$0\" --port COM1,COM2,COM3 load <(cat \"$1\")", RVCTL_EXECUTABLE, golden});
    EXPECT_EQ(load.status, 0) << load.err;
    for (const std::string& transcript : transcripts) {
        const std::vector<std::string> received = ReceivedLines(transcript);
        EXPECT_NE(std::find(received.begin(), received.end(), "GA=700"), received.end())
            << transcript;
    }
    ASSERT_EQ(Rvctl({"--port", "COM2", "set", "GA=800"}).status, 0);
    const std::string input = Contents(golden);
    const ToolRun differs = Rvctl({"--port", "COM1,COM2", "diff", "/dev/stdin"}, input);
    EXPECT_EQ(differs.status, 1) << differs.err;
    EXPECT_EQ(differs.out.rfind("COM2 GA camera=800 file=700", 0), 0u) << differs.out;
    const ToolRun matches = Rvctl({"--port", "COM1,COM3", "diff", "-"}, input);
    EXPECT_EQ(matches.status, 0) << matches.err;
    EXPECT_EQ(matches.out, "");
}

// A cron job's "-o /dev/null --yes" must leave the node in place: a device or a FIFO takes the
// file as written into it, as cp and a shell redirection do.
TEST_F(RvctlTest, ADumpOntoAFifoOrALinkToOneWritesIntoItAndLeavesItInPlace) {
    Camera(1);
    const ToolRun expected = Rvctl({"--port", "COM1", "dump"});
    ASSERT_EQ(expected.status, 0) << expected.err;
    const std::string fifo = folder.File("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink(fifo, folder.File("link"));
    for (const char* name : {"fifo", "link"}) {
        SCOPED_TRACE(name);
        // Open for reading first, so that the writer's open does not wait for a reader.
        const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
        ASSERT_GE(reader, 0);
        const ToolRun run = Rvctl({"--port", "COM1", "--yes", "dump", "-o", folder.File(name)});
        std::string received;
        char buffer[4096];
        for (ssize_t got; (got = read(reader, buffer, sizeof buffer)) > 0;) {
            received.append(buffer, static_cast<std::size_t>(got));
        }
        close(reader);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_TRUE(std::filesystem::is_fifo(std::filesystem::symlink_status(fifo)));
        EXPECT_TRUE(
            std::filesystem::is_symlink(std::filesystem::symlink_status(folder.File("link"))));
        EXPECT_EQ(received, expected.out);
    }
}

// A cron job's output that never reached the disk is no success, and the log says why.
TEST_F(RvctlTest, OutputThatCannotBeWrittenFailsTheRunAndSaysSo) {
    Camera(1);
    const std::vector<std::vector<std::string>> commands = {
        {"dump"}, {"lut", "read"}, {"get", "GA"}, {"--version"}};
    for (const std::vector<std::string>& command : commands) {
        SCOPED_TRACE(command[0]);
        std::vector<std::string> args = {"-c", "exec \"$0\" \"$@\" >/dev/full", RVCTL_EXECUTABLE,
                                         "--port", "COM1"};
        args.insert(args.end(), command.begin(), command.end());
        const ToolRun run = RunTool("/bin/sh", args);
        EXPECT_EQ(run.status, 1) << run.err;
        EXPECT_NE(run.err.find("rvctl: writing to standard output failed: No space left on device"),
                  std::string::npos)
            << run.err;
    }
}

// A file with part of a table would leave the rest of the camera's curve under the new one's
// name: only a whole table is sent.
TEST_F(RvctlTest, ALutWriteSendsOnlyAFileWithTheWholeTable) {
    const std::string transcript = Camera(1);
    const std::string folderPath = folder.File("folder");
    std::filesystem::create_directory(folderPath);
    std::vector<std::pair<std::string, int>> files = {{folderPath, 0}};
    for (const auto& [name, contents, held] :
         {std::tuple<const char*, const char*, int>{"empty.csv", "", 0},
          {"header.csv", "GammaData\n", 0},
          {"two.csv", "GammaData\n0\n4095\n", 2}}) {
        files.emplace_back(folder.File(name), held);
        std::ofstream(files.back().first, std::ios::binary) << contents;
    }
    for (const auto& [path, held] : files) {
        SCOPED_TRACE(path);
        const ToolRun run = Rvctl({"--port", "COM1", "lut", "write", path});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "rvctl: " + path + " holds " + std::to_string(held) +
                               " of the 256 levels of a table: lut write sends only whole "
                               "tables; nothing was sent\n");
    }
    EXPECT_EQ(ReceivedLines(transcript), std::vector<std::string>{});

    std::string whole = "GammaData\n";
    for (int i = 0; i < 256; ++i) {
        whole += std::to_string(4095 - i * 16) + "\n";
    }
    const ToolRun written = Rvctl({"--port", "COM1", "lut", "write", "-"}, whole);
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out, "written to the camera: -\n");
    const std::vector<std::string> received = ReceivedLines(transcript);
    EXPECT_NE(std::find(received.begin(), received.end(), "LUTD=4095"), received.end());
    EXPECT_NE(std::find(received.begin(), received.end(), "LUTD=15"), received.end());
}

// timeout(1) and systemd end a run with SIGTERM, a closed session with SIGHUP: the exchange in
// flight still finishes, so that its reply is not the next run's first answer. A run that was
// killed outright leaves its reply on the line, and the next one drains it before asking.
TEST_F(RvctlTest, TermAndHangUpEndAsCtrlCAndNoRunTakesTheLastOnesReply) {
    const std::string transcript = Camera(1, {"--delay-ms", "100"});
    const struct {
        int signal;
        int status;
    } cases[] = {{SIGTERM, 143}, {SIGHUP, 129}, {SIGKILL, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.signal);
        const std::size_t before = ReceivedLines(transcript).size();
        const ToolRun ended = RunTool(
            RVCTL_EXECUTABLE, {"--port", "COM1", "--baud", "9600", "get", "GA"}, "",
            std::chrono::seconds(30),
            [&] {
                const std::vector<std::string> received = ReceivedLines(transcript);
                return received.size() > before && received.back() == "GA?";
            },
            c.signal);
        EXPECT_EQ(ended.status, c.status) << ended.err;
        const ToolRun next = Rvctl({"--port", "COM1", "--baud", "9600", "get", "GA"});
        EXPECT_EQ(next.status, 0) << next.err;
        EXPECT_EQ(next.out, "GA=100\n");
        EXPECT_EQ(next.err, "");
        EXPECT_LT(next.took, std::chrono::seconds(2)) << "no rate search";
    }
}

// Factory mode reads and writes the camera's factory trim: a script gets it only by asking.
TEST_F(RvctlTest, FactoryModeOnlyWithFactoryAndSaidOnce) {
    Camera(1);
    std::ofstream(folder.File("settings.ini"), std::ios::binary)
        << "[Software\\Varnel\\RV-2410-TCL Control Tool]\r\n"
           "\"Control Mode\"=dword:00000001\r\n";
    const ToolRun user = Rvctl({"--port", "COM1", "get", "GA4A00"});
    EXPECT_NE(user.status, 0);
    EXPECT_EQ(user.out, "");
    EXPECT_EQ(user.err.find("factory mode"), std::string::npos) << user.err;

    const ToolRun factory = Rvctl({"--port", "COM1", "--factory", "get", "GA4A00"});
    EXPECT_EQ(factory.status, 0) << factory.err;
    EXPECT_EQ(factory.out, "GA4A00=100\n");
    EXPECT_EQ(factory.err, "rvctl: factory mode: factory parameters are read and written\n");
}

// A camera, or whatever answers on the line, sending escape sequences must not rewrite the
// operator's terminal.
TEST_F(RvctlTest, TheCamerasControlCharactersArePrintedEscaped) {
    const std::string state = folder.File("state.txt");
    std::ofstream(state) << "camera_id=\\x1b]0;PWNED\\x07\\x1b[2J\n";
    Camera(1, {"--state", state});
    const ToolRun info = Rvctl({"--port", "COM1", "info"});
    EXPECT_NE(info.out.find("Camera ID: \\x1b]0;PWNED\\x07\\x1b[2J\n"), std::string::npos)
        << info.out;
    const ToolRun trace = Rvctl({"--port", "COM1", "-v", "info"});
    for (const ToolRun* run : {&info, &trace}) {
        EXPECT_EQ(run->out.find('\x1b'), std::string::npos) << run->out;
        EXPECT_EQ(run->err.find('\x1b'), std::string::npos) << run->err;
        EXPECT_EQ(run->err.find('\x07'), std::string::npos) << run->err;
    }
    EXPECT_NE(trace.err.find("\\x1b]0;PWNED"), std::string::npos) << trace.err;

    // The terminal escapes them too, unless the operator asks for the raw bytes.
    const ToolRun escaped = Rvctl({"--port", "COM1", "terminal", "--timeout", "200"}, "ID?\n");
    EXPECT_NE(escaped.out.find("Rx: ID=\\x1b]0;PWNED\\x07"), std::string::npos) << escaped.out;
    EXPECT_EQ(escaped.out.find('\x1b'), std::string::npos) << escaped.out;
    const ToolRun raw = Rvctl({"--port", "COM1", "terminal", "--raw", "--timeout", "200"}, "ID?\n");
    EXPECT_EQ(raw.status, 0) << raw.err;
    EXPECT_NE(raw.out.find("Rx: ID=\x1b]0;PWNED\x07\x1b[2J"), std::string::npos) << raw.out;
}

// A script reads the camera's identity texts from JSON whatever bytes the camera sent: escapes
// and bytes that are no UTF-8 neither end rvctl nor leave a line the script cannot parse, and
// UTF-8 reads as the camera wrote it.
TEST_F(RvctlTest, JsonStaysValidWhateverBytesTheCameraSends) {
    const std::string state = folder.File("state.txt");
    std::ofstream(state) << "camera_id=\\x1b]0;PWNED\\x07\\xff\\xc3\n"
                         << "user_id=Pr\\xc3\\xbcfung\n";
    Camera(1, {"--state", state});
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"info"}, {"get", "GA"}, {"dump"}}) {
        SCOPED_TRACE(command[0]);
        std::vector<std::string> args = {"--port", "COM1"};
        args.insert(args.end(), command.begin(), command.end());
        const ToolRun text = Rvctl(args);
        args.insert(args.begin(), "--json");
        const ToolRun json = Rvctl(args);
        EXPECT_EQ(text.status, 0) << text.err;
        EXPECT_EQ(json.status, text.status) << json.err;
        ASSERT_EQ(Lines(json.out).size(), 1u) << json.out;
        EXPECT_TRUE(nlohmann::json::accept(json.out)) << json.out;
        // Plain ASCII: printed on a terminal, it cannot rewrite it either.
        EXPECT_TRUE(std::all_of(json.out.begin(), json.out.end() - 1, [](char c) {
            return c >= 0x20 && c < 0x7f;
        })) << json.out;
        if (command[0] == "info") {
            const nlohmann::json info = nlohmann::json::parse(json.out);
            EXPECT_EQ(info.value("cameraId", ""), "\x1b]0;PWNED\x07\uFFFD\uFFFD");
            EXPECT_EQ(info.value("userId", ""), "Pr\u00fcfung");
        }
    }
}

// Results come in the order the ports were named, whichever camera is quicker, and every
// text about a port that failed says the same thing.
TEST_F(RvctlTest, SeveralPortsAnswerInTheOrderNamedAndTheirFailuresAgree) {
    Camera(1, {"--delay-ms", "150"});
    Camera(2);
    Camera(3, {"--silent"});
    const ScopedEnvironment missing("RVTOOL_COM4", folder.File("no-such-device"));
    const ToolRun get = Rvctl({"--port", "COM1,COM2", "--baud", "9600", "get", "GA"});
    EXPECT_EQ(get.status, 0) << get.err;
    EXPECT_EQ(get.out, "COM1 GA=100\nCOM2 GA=100\n");

    const ToolRun json = Rvctl({"--port", "COM4,COM3", "--baud", "9600", "--json", "get", "GA"});
    EXPECT_EQ(json.status, 3);
    EXPECT_EQ(json.out,
              "{\"port\":\"COM4\",\"error\":\"the port did not open\"}\n"
              "{\"port\":\"COM3\",\"error\":\"no camera answered at 9600 bit/s\"}\n");
    EXPECT_NE(json.err.find("rvctl: COM4: the port did not open"), std::string::npos) << json.err;
    EXPECT_NE(json.err.find("rvctl: COM3: no camera answered at 9600 bit/s"), std::string::npos)
        << json.err;

    const ToolRun all = Rvctl({"--port", "COM2,COM1", "--baud", "9600", "detect"});
    EXPECT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(all.out, "COM2 9600 RV-2410M-TCL\nCOM1 9600 RV-2410M-TCL\n");
    const ToolRun some = Rvctl({"--port", "COM2,COM3", "--baud", "9600", "detect"});
    EXPECT_EQ(some.status, 3) << "a named port without a camera";
    EXPECT_NE(some.err.find("COM3: no camera answered"), std::string::npos) << some.err;
}

// rvctl has no message log: its word for more is -v, whose trace names the rate of each try.
TEST_F(RvctlTest, MessagesPointToTheTraceWhichShowsTheRateOfEachTry) {
    Camera(1, {"--silent"});
    Camera(2, {"--garbage-every", "3"});
    const ToolRun run = Rvctl({"--port", "COM1", "--baud", "auto", "-v", "get", "GA"});
    EXPECT_EQ(run.status, 3);
    for (const char* rate : {"115200", "57600", "38400", "19200", "9600"}) {
        EXPECT_NE(run.err.find(std::string("MD? [") + rate + " bit/s]"), std::string::npos)
            << rate << "\n"
            << run.err;
    }
    for (const bool verbose : {false, true}) {
        std::vector<std::string> args = {"--port", "COM2", "--baud", "9600", "dump"};
        if (verbose) {
            args.push_back("-v");
        }
        const ToolRun dump = Rvctl(args);
        EXPECT_NE(dump.err.find(" more times; "), std::string::npos) << dump.err;
        EXPECT_EQ(dump.err.find("message log"), std::string::npos) << dump.err;
    }
}

// A cron job mails whatever a run writes: a quiet run that succeeds writes nothing, one that
// fails still tells why.
TEST_F(RvctlTest, QuietWritesNothingOnSuccessAndStillTellsAFault) {
    Camera(1, {"--refuse", "GA"});
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err;  // a part of it; empty: nothing at all
    };
    const Case cases[] = {
        {{"-q", "--port", "COM1", "get", "GA"}, 0, ""},
        // The factory mode's notice and the trace are no fault either.
        {{"--port", "COM1", "--factory", "-v", "--quiet", "set", "TG=Internal"}, 0, ""},
        {{"-q", "--port", "COM1", "set", "GA=400"}, 1, "Communication Error: Error: Refused"},
        {{"-q", "--port", "COM1", "get", "GAX"}, 2, "unknown parameter \"GAX\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        const ToolRun run = Rvctl(c.args);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_EQ(run.out, "");
        if (c.err.empty()) {
            EXPECT_EQ(run.err, "");
        } else {
            EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
        }
    }
}

// A production line cannot wait 5 s on each camera that lost an answer; --timeout shortens it.
TEST_F(RvctlTest, TimeoutIsHowLongEachRequestWaitsAndIsRangeChecked) {
    Camera(1, {"--mute", "GA"});
    const ToolRun quick = Rvctl({"--port", "COM1", "--timeout", "300", "set", "GA=800"});
    EXPECT_EQ(quick.status, 0) << quick.err;
    EXPECT_EQ(quick.out, "GA=800\n");
    EXPECT_LT(quick.took, std::chrono::milliseconds(3000)) << "the built-in 5 s were waited";
    for (const char* wrong : {"99", "600001", "5s", ""}) {
        SCOPED_TRACE(wrong);
        const ToolRun run = Rvctl({"--port", "COM1", "--timeout", wrong, "get", "GA"});
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find("from 100 to 600000"), std::string::npos) << run.err;
    }
}

// A script or a completion learns the parameters from rvctl itself, without a camera, and can
// tell which program's tables it read.
TEST_F(RvctlTest, DescribeWithoutNamesIsAVersionedCatalogueOfTheMode) {
    for (const int mode : {0, 1}) {
        SCOPED_TRACE(mode);
        std::size_t expected = 0;
        for (const CatalogEntry& entry : ControlCatalog::Entries()) {
            if (ControlCatalog::Definition(entry).paramClass != kFactoryParam || mode == 1) {
                ++expected;
            }
        }
        const ToolRun run = Rvctl({"--json", mode == 1 ? "--factory" : "--user", "describe"});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out.rfind(std::string("{\"version\":\"") + kProgramVersion +
                                    "\",\"parameters\":[{\"mnemonic\":",
                                0),
                  0u)
            << run.out;
        EXPECT_EQ(Lines(run.out).size(), 1u) << "one object";
        const std::regex object(R"(\{"mnemonic":"[^"]+","name":"[^"]*","page":"[^"]+","kind":)"
                                R"(.*?"factory":(true|false),"inSettingsFiles":(true|false),)");
        const auto found = std::distance(
            std::sregex_iterator(run.out.begin(), run.out.end(), object), std::sregex_iterator());
        EXPECT_EQ(static_cast<std::size_t>(found), expected);
        EXPECT_EQ(run.out.find("\"factory\":true") != std::string::npos, mode == 1);
    }
    const ToolRun text = Rvctl({"describe"});
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("GA: "), std::string::npos) << text.out;
}

// The readings the pages' buttons ask for are asked the camera by rvctl too; a temperature
// without the sensor it is of says little.
TEST_F(RvctlTest, GetReadsTheTemperatureWithItsSensorAndTheLimits) {
    const std::string transcript = Camera(1);
    ASSERT_EQ(Rvctl({"--port", "COM1", "set", "TMPS0=FPGA"}).status, 0);
    const ToolRun text = Rvctl({"--port", "COM1", "get", "tmp0", "PEMAX", "PEMIN", "ARMIN"});
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_TRUE(std::regex_match(
        text.out, std::regex("TMP0=-?[0-9]+ \\(TMPS0=FPGA\\)\nPEMAX=[0-9]+\nPEMIN=100\n"
                             "ARMIN=[0-9]+\n")))
        << text.out;
    const ToolRun json = Rvctl({"--port", "COM1", "--json", "get", "TMP0"});
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_TRUE(std::regex_match(
        json.out, std::regex(R"(\{"port":"COM1","mnemonic":"TMP0","value":-?[0-9]+,"sensor":)"
                             R"(\{"mnemonic":"TMPS0","value":3,"text":"FPGA"\}\}\n)")))
        << json.out;
    const std::vector<std::string> received = ReceivedLines(transcript);
    for (const char* query : {"TMP0?", "PEMAX?", "PEMIN?", "ARMIN?"}) {
        EXPECT_NE(std::find(received.begin(), received.end(), query), received.end()) << query;
    }
}

// A script that asks for JSON parses every answer, the failures and "nothing differs" too.
TEST_F(RvctlTest, JsonIsEveryResultErrorsAndAnEmptyDiffIncluded) {
    Camera(1);
    Camera(2, {"--silent"});
    Camera(3, {"--refuse", "GA"});
    const std::string saved = folder.File("saved.cam");
    ASSERT_EQ(Rvctl({"--port", "COM1", "dump", "-o", saved}).status, 0);
    const std::string levels = "(\\{\"channel\":[0-2],\"levels\":\\[([0-9]+,){255}[0-9]+\\]\\},?)+";
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out;  // a pattern for all of it
    };
    const Case cases[] = {
        {{"--json", "--bogus"}, 2, R"(\{"error":"unknown option \\"--bogus\\"","usage":true\})"},
        {{"--json", "--port", "COM1", "get", "GAX"},
         2,
         R"(\{"error":"unknown parameter \\"GAX\\"[^"]*","usage":true\})"},
        {{"--json", "--port", "COM2", "--baud", "9600", "get", "GA"},
         3,
         R"(\{"port":"COM2","error":"no camera answered at 9600 bit/s"\})"},
        {{"--json", "--port", "COM3", "set", "GA=400"},
         1,
         R"(\{"port":"COM3","mnemonic":"GA","value":100,"accepted":false,"requested":400,)"
         R"("error":"[^"]*Refused[^"]*"\})"},
        {{"--json", "--port", "COM1", "diff", saved},
         0,
         R"(\{"port":"COM1","file":"[^"]+","differences":\[\],"unknown":\[\]\})"},
        {{"--json", "--port", "COM1", "dump"},
         0,
         R"(\{"port":"COM1",("model":"[^"]+",)?"deviceVersion":[0-9]+,"parameters":\[)"
         R"((\{"mnemonic":"[A-Z0-9]+","value":-?[0-9]+(,"text":"[^"]+")?\},?)+\]\})"},
        {{"--json", "--port", "COM1", "lut", "read"},
         0,
         R"(\{"port":"COM1","tables":\[)" + levels + R"(\]\})"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        const ToolRun run = Rvctl(c.args);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_TRUE(std::regex_match(run.out, std::regex(c.out + "\n"))) << run.out;
    }
    const ToolRun dump = Rvctl({"--json", "--port", "COM1", "dump"});
    EXPECT_NE(dump.out.find(R"({"mnemonic":"TG","value":0,"text":"Internal"})"), std::string::npos)
        << dump.out;
}

// A trace kept in a log for days is matched to other logs by the hour.
TEST_F(RvctlTest, TheVerboseTraceIsStampedWithTheHour) {
    Camera(1);
    const ToolRun run = Rvctl({"--port", "COM1", "--baud", "9600", "-v", "get", "GA"});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::regex stamped(R"([0-2][0-9]:[0-5][0-9]:[0-5][0-9]\.[0-9]{3}  (Tx|Rx): .*)");
    int traced = 0;
    for (const std::string& line : Lines(run.err)) {
        if (line.find("x: ") != std::string::npos) {
            EXPECT_TRUE(std::regex_match(line, stamped)) << line;
            ++traced;
        }
    }
    EXPECT_GE(traced, 4) << run.err;
}

// The shell offers what this rvctl takes, in the mode the command line names: the readings
// among the mnemonics, the factory parameters and area only with --factory.
TEST_F(RvctlTest, TheCompletionOffersTheMnemonicsAndAreasOfTheMode) {
    // bash-completion's helpers, as far as the script uses them.
    const std::string script =
        std::string(
            "_init_completion() { words=(\"${COMP_WORDS[@]}\"); cword=$COMP_CWORD;"
            " cur=${words[cword]}; prev=${words[cword-1]}; }\n"
            "_filedir() { :; }\ncompopt() { :; }\nsource '") +
        RVCTL_COMPLETION +
        "'\nCOMP_WORDS=(\"$@\"); COMP_CWORD=$(($# - 1)); _rvctl; echo \"${COMPREPLY[*]}\"\n";
    struct Case {
        std::vector<std::string> line;  // after the program, the last word being completed
        std::string offered;
    };
    const Case cases[] = {
        {{"get", "TM"}, "TMPS0 TMP0"},
        {{"--port", "COM1", "get", "PE"}, "PE PEMAX PEMIN"},
        {{"get", "GA4"}, ""},
        {{"--factory", "get", "GA4"}, "GA4A00 GA4B00"},
        {{"set", "HBM"}, "HBM="},
        {{"store", ""}, "User1 User2 User3"},
        {{"--factory", "store", ""}, "Factory User1 User2 User3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.back());
        std::vector<std::string> args = {"-c", script, "rvctl", RVCTL_EXECUTABLE};
        args.insert(args.end(), c.line.begin(), c.line.end());
        const ToolRun run = RunTool("/bin/bash", args);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, c.offered + "\n") << run.err;
    }
}

}  // namespace
