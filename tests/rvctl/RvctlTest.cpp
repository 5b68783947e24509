#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "controls/ControlCatalog.h"
#include "controls/ControlIds.h"
#include "core/ControlMode.h"
#include "operations/CameraFile.h"
#include "operations/CameraRefresh.h"
#include "tests/rvctl/ToolProcess.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/SimProcess.h"
#include "tests/support/SimTranscript.h"
#include "tests/support/TestContext.h"
#include "transport/CameraPort.h"

namespace {

// rvctl as a user runs it, on simulated cameras bound to COM ports, with settings of its own.
class RvctlTest : public testing::Test {
protected:
    RvctlTest() : settings_("RVTOOL_SETTINGS", folder.File("settings.ini")) {}

    // A camera on COM<number> that answers at once; its transcript is kept.
    std::string Camera(int number, std::vector<std::string> options = {}) {
        const std::string transcript = folder.File("camera" + std::to_string(number) + ".txt");
        options.insert(options.end(), {"--no-pacing", "--transcript", transcript});
        cameras_.push_back(std::make_unique<SimProcess>());
        EXPECT_TRUE(cameras_.back()->Start(options));
        bindings_.push_back(std::make_unique<ScopedEnvironment>(
            "RVTOOL_COM" + std::to_string(number), cameras_.back()->DevicePath()));
        return transcript;
    }

    ToolRun Rvctl(const std::vector<std::string>& args, const std::string& input = "") {
        return RunTool(RVCTL_EXECUTABLE, args, input);
    }

    static std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        std::istringstream stream(text);
        for (std::string line; std::getline(stream, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    static std::string Contents(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

    TemporaryFolder folder;

private:
    ScopedEnvironment settings_;
    std::vector<std::unique_ptr<SimProcess>> cameras_;
    std::vector<std::unique_ptr<ScopedEnvironment>> bindings_;
};

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
    const std::regex stamped("[0-5][0-9]:[0-5][0-9]:[0-9]{3}  (.*)");
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

TEST_F(RvctlTest, ALoadNamesTheLineTheCameraRefusedAndSaysSoInItsStatus) {
    const std::string transcript = Camera(1, {"--refuse", "BL"});
    const std::string path = folder.File("settings.cam");
    std::ofstream(path) << "DV=1\nGA=700\nBL=3\nMF=1\n";
    const ToolRun load = Rvctl({"--port", "COM1", "load", path});
    EXPECT_EQ(load.status, 1) << load.err;
    EXPECT_EQ(load.out, "line 3: the camera refused BL\n" + path +
                            ": Loaded 3 lines, 1 refused (line 3, BL)\n");
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

TEST_F(RvctlTest, LoadAndDiffRefuseAFileThatSetsNoParameterWithOneMessage) {
    const std::string transcript = Camera(1);
    const std::string path = folder.File("notes.cam");
    std::ofstream(path, std::ios::binary) << std::string(100000, '\x01') << "\n{\"GA\": 400}\n";
    for (const char* command : {"load", "diff"}) {
        SCOPED_TRACE(command);
        const ToolRun run = Rvctl({"--port", "COM1", command, path});
        EXPECT_EQ(run.status, 1) << run.err;
        EXPECT_EQ(run.out, "");
        const std::size_t told = run.err.find("not a camera settings file");
        ASSERT_NE(told, std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("not a camera settings file", told + 1), std::string::npos);
    }
    for (const std::string& line : ReceivedLines(transcript)) {
        EXPECT_EQ(line.find('='), std::string::npos) << "nothing was set: " << line;
    }
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

}  // namespace
