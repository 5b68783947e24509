#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/rvctl/RvctlFixture.h"
#include "tests/rvctl/ToolProcess.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/SimProcess.h"
#include "tests/support/SimTranscript.h"
#include "tests/support/TestContext.h"

namespace {

// Local time of a zone half an hour off the hour, east of UTC, so that a stamp in UTC, or with
// the offset's sign or minutes wrong, shows.
const char kZone[] = "RVT-5:30";
const char kStamp[] = "[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}\\.[0-9]{3}\\+05:30";

// rvctl watch as a user runs it, on simulated cameras bound to COM ports.
class WatchTest : public RvctlFixture {
protected:
    WatchTest() : zone_("TZ", kZone) {}

    // The milliseconds between each sample's stamp and the next one's.
    static std::vector<long> Periods(const std::vector<std::string>& lines) {
        const std::regex clock("T([0-9]{2}):([0-9]{2}):([0-9]{2})\\.([0-9]{3})");
        std::vector<long> periods;
        long previous = -1;
        for (const std::string& line : lines) {
            std::smatch match;
            if (!std::regex_search(line, match, clock)) {
                ADD_FAILURE() << "no stamp: " << line;
                continue;
            }
            const long ms =
                ((std::stol(match[1]) * 60 + std::stol(match[2])) * 60 + std::stol(match[3])) *
                    1000 +
                std::stol(match[4]);
            if (previous >= 0) {
                periods.push_back((ms - previous + 86400000) % 86400000);
            }
            previous = ms;
        }
        return periods;
    }

    static long Median(std::vector<long> values) {
        if (values.empty()) {
            return -1;
        }
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    }

private:
    ScopedEnvironment zone_;
};

TEST_F(WatchTest, TwoCamerasGiveALinePerSampleInEachFormatAndNothingIsSet) {
    const std::string first = Camera(1);
    const std::string second = Camera(2);
    // A reading (TMP0) is watched beside the parameters, as get reads it.
    const std::vector<std::string> watch = {"--port", "COM1,COM2",  "watch", "GA",
                                            "tmps0",  "TG",         "tmp0",  "--count",
                                            "2",      "--interval", "0.2"};
    struct Case {
        std::vector<std::string> extra;
        std::string header;  // the first line, or empty when none
        std::string row;     // every other line; PORT stands for the port
    };
    const Case cases[] = {
        {{}, "", "PORT STAMP GA=100 TMPS0=Sensor TG=Internal TMP0=[0-9]+"},
        {{"--csv"}, "time,port,GA,TMPS0,TG,TMP0,error", "STAMP,PORT,100,Sensor,Internal,[0-9]+,"},
        {{"--json"},
         "",
         "\\{\"port\":\"PORT\",\"time\":\"STAMP\",\"values\":\\{\"GA\":100,\"TMPS0\":0,\"TG\":0,"
         "\"TMP0\":[0-9]+\\}"
         "\\}"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = watch;
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const ToolRun run = Rvctl(args);
        SCOPED_TRACE(c.row);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        std::vector<std::string> lines = Lines(run.out);
        if (!c.header.empty()) {
            ASSERT_FALSE(lines.empty());
            EXPECT_EQ(lines.front(), c.header);
            lines.erase(lines.begin());
        }
        ASSERT_EQ(lines.size(), 4u) << run.out;
        std::string pattern = std::regex_replace(c.row, std::regex("STAMP"), kStamp);
        pattern = std::regex_replace(pattern, std::regex("PORT"), "(COM[12])");
        int perPort[3] = {0, 0, 0};
        for (const std::string& line : lines) {
            std::smatch match;
            ASSERT_TRUE(std::regex_match(line, match, std::regex(pattern))) << line;
            ++perPort[match[1].str().back() - '0'];
        }
        EXPECT_EQ(perPort[1], 2) << run.out;
        EXPECT_EQ(perPort[2], 2) << run.out;
    }
    for (const std::string& transcript : {first, second}) {
        const std::vector<std::string> received = ReceivedLines(transcript);
        EXPECT_EQ(std::count(received.begin(), received.end(), "TMPS0?"), 6);
        for (const std::string& line : received) {
            EXPECT_EQ(line.back(), '?') << "a watch sent a setting: " << line;
        }
    }
}

// Each sample starts at a whole number of intervals from the first, however long the camera
// takes to answer; one that runs past the next start skips it, and says so once.
TEST_F(WatchTest, SamplesKeepThePeriodAndAnOverrunSkipsTheMissedOnes) {
    Camera(1, {"--delay-ms", "40"});
    Camera(2, {"--delay-ms", "120"});
    const ToolRun steady =
        Rvctl({"--port", "COM1", "watch", "GA", "--interval", "0.1", "--count", "12"});
    EXPECT_EQ(steady.status, 0) << steady.err;
    const std::vector<long> periods = Periods(Lines(steady.out));
    ASSERT_EQ(periods.size(), 11u) << steady.out;
    // Waiting an interval after each answer would make it 140 ms.
    EXPECT_NEAR(Median(periods), 100, 12) << steady.out;

    const ToolRun slow =
        Rvctl({"--port", "COM2", "watch", "GA", "--interval", "0.1", "--count", "6"});
    EXPECT_EQ(slow.status, 0) << slow.err;
    // Catching up with samples back to back would make it 120 ms.
    EXPECT_NEAR(Median(Periods(Lines(slow.out))), 200, 24) << slow.out;
    const std::string told = "rvctl: COM2: a sample overran the interval of 0.1 s";
    const std::size_t at = slow.err.find(told);
    EXPECT_NE(at, std::string::npos) << slow.err;
    EXPECT_EQ(slow.err.find(told, at + 1), std::string::npos) << "told once:\n" << slow.err;
}

// A camera whose cable is pulled gets a line that says so for every sample from then on, and
// the other camera's samples go on.
TEST_F(WatchTest, ACameraThatStopsAnsweringGetsItsLineAndTheWatchGoesOn) {
    Camera(1);
    Camera(2, {"--unplug-after", "1.5"});
    const ToolRun run =
        Rvctl({"--port", "COM1,COM2", "watch", "GA", "--interval", "0.1", "--count", "25"});
    EXPECT_EQ(run.status, 1) << run.err;
    const std::regex answered(std::string("COM[12] ") + kStamp + " GA=100");
    const std::regex silent(std::string("COM2 ") + kStamp + " GA=- no answer");
    int lines[3] = {0, 0, 0};
    int silentLines = 0;
    for (const std::string& line : Lines(run.out)) {
        const bool quiet = std::regex_match(line, silent);
        ASSERT_TRUE(quiet || std::regex_match(line, answered)) << line;
        silentLines += quiet ? 1 : 0;
        ++lines[line[3] - '0'];
    }
    EXPECT_EQ(lines[1], 25) << run.out;
    EXPECT_EQ(lines[2], 25) << run.out;
    EXPECT_GT(silentLines, 0) << run.out;
    EXPECT_LT(silentLines, 25) << run.out;
}

TEST_F(WatchTest, SigtermEndsAWatchWithoutCountAfterWholeLines) {
    const std::string transcript = Camera(1);
    const ToolRun run = RunTool(
        RVCTL_EXECUTABLE, {"--port", "COM1", "watch", "GA", "--interval", "0.05"}, "",
        std::chrono::seconds(30),
        [&transcript] {
            const std::vector<std::string> received = ReceivedLines(transcript);
            return std::count(received.begin(), received.end(), "GA?") >= 3;
        },
        SIGTERM);
    EXPECT_EQ(run.status, 143) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    EXPECT_GE(lines.size(), 2u) << run.out;
    for (const std::string& line : lines) {
        EXPECT_TRUE(std::regex_match(line, std::regex(std::string(kStamp) + " GA=100"))) << line;
    }
}

// Samples that can no longer be written (a full disk, or a pipe whose reader went away while
// SIGPIPE is ignored) end the watch instead of leaving it to run for nobody.
TEST_F(WatchTest, AWatchWhoseOutputIsRefusedEnds) {
    Camera(1);
    const ToolRun run = RunTool("/bin/sh",
                                {"-c", "exec \"$0\" \"$@\" >/dev/full", RVCTL_EXECUTABLE, "--port",
                                 "COM1", "watch", "GA", "--interval", "0.05"},
                                "", std::chrono::seconds(10));
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find("rvctl: writing to standard output failed: No space left on device"),
              std::string::npos)
        << run.err;
}

}  // namespace
