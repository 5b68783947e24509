#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "core/OperationScope.h"
#include "operations/ReadingMonitor.h"
#include "tests/support/FastWaitClock.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/ScriptedFileChooser.h"
#include "tests/support/SimProcess.h"
#include "tests/support/SimTranscript.h"
#include "tests/support/TestContext.h"
#include "transport/CameraPort.h"

namespace {

using Lines = std::vector<std::string>;
using std::chrono::hours;
using std::chrono::minutes;
using std::chrono::seconds;

// The monitor's samples, taken from the simulated camera at times the test gives.
class ReadingMonitorTest : public testing::Test {
protected:
    void StartCamera(std::vector<std::string> options = {}) {
        transcript = test.Folder().File("transcript");
        options.insert(options.end(), {"--no-pacing", "--transcript", transcript});
        ASSERT_TRUE(camera.Start(options));
        com1 = std::make_unique<ScopedEnvironment>("RVTOOL_COM1", camera.DevicePath());
        ASSERT_TRUE(test.Context().Get<CameraPort>().Open(kComCategory, 9600, 0));
    }
    bool Poll(ReadingMonitor& monitor, std::chrono::steady_clock::duration after) {
        return monitor.Poll(test.Context(), start + after, wallStart + after);
    }

    TestContext test{FastWaitClock::After([](ProcessContext&) {})};
    SimProcess camera;
    std::unique_ptr<ScopedEnvironment> com1;
    std::string transcript;
    const std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    const std::chrono::system_clock::time_point wallStart = std::chrono::system_clock::now();
};

TEST_F(ReadingMonitorTest, SamplesAtTheIntervalOnlyAsksAndKeepsTheLastHour) {
    StartCamera();
    ReadingMonitor monitor(false);
    EXPECT_FALSE(monitor.SetInterval(seconds(0))) << "faster than a second";
    ASSERT_TRUE(monitor.SetInterval(seconds(2)));
    EXPECT_TRUE(Poll(monitor, seconds(0)));
    EXPECT_FALSE(Poll(monitor, seconds(1)));
    EXPECT_TRUE(Poll(monitor, seconds(2)));
    {
        // Another operation has the camera: the sample waits for it to end.
        const OperationScope operation(test.Context());
        EXPECT_FALSE(Poll(monitor, seconds(4)));
    }
    ASSERT_EQ(monitor.Samples().size(), 2u);
    ASSERT_TRUE(monitor.Samples().back().values.at(0).has_value());
    EXPECT_EQ(*monitor.Samples().back().values[0], 42) << "the sensor TMPS0 selects";
    // Neither the sensor select nor anything else is sent: two questions, nothing more.
    EXPECT_EQ(ReceivedLines(transcript), (Lines{"TMP0?", "TMP0?"}));

    EXPECT_TRUE(Poll(monitor, hours(1) + seconds(1)));
    ASSERT_EQ(monitor.Samples().size(), 2u) << "the first sample is more than an hour old";
    EXPECT_EQ(monitor.Samples().front().time, wallStart + seconds(2));
}

TEST_F(ReadingMonitorTest, FactoryModeAddsTheLimitsAndTheCsvHasAColumnEach) {
    StartCamera();
    ReadingMonitor monitor(true);
    ASSERT_TRUE(Poll(monitor, seconds(0)));
    EXPECT_EQ(ReceivedLines(transcript), (Lines{"TMP0?", "PEMAX?", "PEMIN?", "ARMIN?"}));
    const std::string csv = monitor.CsvText();
    EXPECT_EQ(csv.substr(0, csv.find('\n')), "time,TMP0,PEMAX,PEMIN,ARMIN");
    const std::string row = csv.substr(csv.find('\n') + 1);
    EXPECT_EQ(std::count(row.begin(), row.end(), ','), 4) << row;
    EXPECT_NE(row.find(",42,"), std::string::npos) << row;

    // Save CSV... writes that text into the file chosen.
    const std::string path = test.Folder().File("temperature.csv");
    test.Files().QueueAnswer(path);
    ASSERT_TRUE(MonitorSaving::SaveCsv(test.Context(), nullptr, monitor));
    std::ifstream file(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), csv);
}

TEST_F(ReadingMonitorTest, ASilentCameraCostsOneQuestionASampleAndLeavesEmptyFields) {
    StartCamera({"--silent"});
    ReadingMonitor monitor(true);
    ASSERT_TRUE(Poll(monitor, seconds(0)));
    ASSERT_EQ(monitor.Samples().size(), 1u);
    for (const auto& value : monitor.Samples().front().values) {
        EXPECT_FALSE(value.has_value());
    }
    EXPECT_EQ(ReceivedLines(transcript), Lines{"TMP0?"});
    // Nor does it cost the operator a message box every interval.
    EXPECT_TRUE(Poll(monitor, seconds(5)));
    EXPECT_EQ(test.Notifier().Texts(), Lines{});
    const std::string csv = monitor.CsvText();
    EXPECT_EQ(csv.substr(csv.size() - 5), ",,,,\n") << csv;
}

}  // namespace
