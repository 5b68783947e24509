#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "operations/Calibration.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/SimProcess.h"
#include "tests/support/SimTranscript.h"
#include "tests/support/TestContext.h"
#include "transport/CameraPort.h"

namespace {

using Clock = std::chrono::steady_clock;
using Lines = std::vector<std::string>;

// A calibration is told from what the camera said after it took the start, or says why there is
// nothing to tell. The simulated camera runs in real time, and so does the engine's clock here.
class CalibrationTest : public testing::Test {
protected:
    void StartCamera(std::vector<std::string> options) {
        transcript = test.Folder().File("transcript");
        options.insert(options.end(), {"--no-pacing", "--transcript", transcript});
        ASSERT_TRUE(camera.Start(options));
        com1 = std::make_unique<ScopedEnvironment>("RVTOOL_COM1", camera.DevicePath());
        ASSERT_TRUE(test.Context().Get<CameraPort>().Open(kComCategory, 9600, 0));
    }
    int32_t Calibrate() { return Calibration::Run(test.Context(), Calibration::Kind{}, nullptr); }

    TestContext test;
    SimProcess camera;
    std::unique_ptr<ScopedEnvironment> com1;
    std::string transcript;
};

TEST_F(CalibrationTest, AStartTheCameraRefusedIsReportedRefusedAndNoStatusIsRead) {
    StartCamera({"--refuse", "SDR"});
    const int32_t code = Calibrate();
    EXPECT_EQ(code, Calibration::kRefused) << Calibration::ResultText(code);
    // The status of the calibration before, read now, would pass for this one's.
    EXPECT_EQ(ReceivedLines(transcript), Lines{"SDR=0"});
    EXPECT_EQ(Calibration::ResultText(code), "Refused: the camera did not start the calibration.");
}

TEST_F(CalibrationTest, ADeviceThatWentAwayEndsTheCalibrationAtOnce) {
    StartCamera({"--calib-seconds", "100", "--unplug-after", "1"});
    const Clock::time_point start = Clock::now();
    const int32_t code = Calibrate();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    EXPECT_EQ(code, Calibration::kLinkLost) << Calibration::ResultText(code);
    EXPECT_EQ(Calibration::ResultText(code),
              "The link to the camera went away: the calibration's result is unknown.");
    // Not the 20 s a silent camera is given before the calibration is given up on.
    EXPECT_LT(seconds, 5) << "polled a device that is gone";
}

}  // namespace
