#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "controls/ControlDefinition.h"
#include "protocol/CommandTable.h"
#include "tools/rvsim/SimCamera.h"

namespace {

using namespace std::chrono_literals;

class SimCameraTest : public ::testing::Test {
protected:
    void SetUp() override { PowerUp(); }

    void PowerUp(int startBaud = 0) {
        camera = std::make_unique<SimCamera>(config, memory, startBaud, t0);
    }

    SimCamera::TimePoint At(double seconds) const {
        return t0 + std::chrono::duration_cast<SimCamera::Clock::duration>(
                        std::chrono::duration<double>(seconds));
    }

    std::string Ask(const std::string& line, double atSeconds = 0) {
        const auto answer = camera->HandleLine(line, At(atSeconds));
        return answer ? *answer : "<none>";
    }

    const SimCamera::TimePoint t0 = SimCamera::Clock::now();
    CameraConfig config;
    CameraMemory memory = CameraMemory::FactoryNew("RV-2410M-TCL", 1);
    std::unique_ptr<SimCamera> camera;
};

const std::string kComplete = "COMPLETE";
const std::string kUnknown = "Error: Unknown command";
const std::string kOutOfRange = "Error: Out of range";
const std::string kLocked = "Error: Locked";

TEST_F(SimCameraTest, LinesTheCameraDoesNotKnowAreUnknownCommands) {
    for (const char* line : {"XX?", "XX=1", "hello", "GA", "GA?1", "SA00X=0", "=5"}) {
        EXPECT_EQ(Ask(line), kUnknown) << line;
    }
    EXPECT_EQ(Ask(""), "<none>");  // an empty line gets no answer
}

TEST_F(SimCameraTest, LowerCaseMnemonicAndBlanksAroundTheValueAreUnderstood) {
    EXPECT_EQ(Ask("ga = 250 "), kComplete);
    EXPECT_EQ(Ask(" ga?"), "GA=250");
}

TEST_F(SimCameraTest, ValuesThatAreNoNumberAreOutOfRange) {
    for (const char* line : {"GA=", "GA=abc", "GA=12x", "GA=4000000000", "GA=1.5", "GA=&H100"}) {
        EXPECT_EQ(Ask(line), kOutOfRange) << line;
    }
    EXPECT_EQ(Ask("GA?"), "GA=100");
}

TEST_F(SimCameraTest, EverySpinControlRangeHoldsAtBothEdges) {
    for (const ControlDefinition& row : ControlDefinitions::kRows) {
        if (row.kind != kSpinEditControl) {
            continue;
        }
        const std::string mnemonic = CommandTable::kCommands[row.cmdId].mnemonic;
        EXPECT_EQ(Ask(mnemonic + "=" + std::to_string(row.minValue)), kComplete) << mnemonic;
        EXPECT_EQ(Ask(mnemonic + "=" + std::to_string(row.maxValue)), kComplete) << mnemonic;
        EXPECT_EQ(Ask(mnemonic + "=" + std::to_string(int64_t{row.minValue} - 1)), kOutOfRange)
            << mnemonic;
        if (row.maxValue < kOpenTop) {
            EXPECT_EQ(Ask(mnemonic + "=" + std::to_string(row.maxValue + 1)), kOutOfRange)
                << mnemonic;
        }
    }
}

TEST_F(SimCameraTest, ListCommandsAcceptExactlyTheValuesOfTheirItems) {
    // The item values of the drop-down lists on the tool's pages.
    const std::map<std::string, std::vector<int>> lists = {
        {"CBDRT", {1, 2, 4, 8, 16}},
        {"TG", {0, 1}},
        {"TI", {0, 1}},
        {"TA", {0, 1, 2, 3}},
        {"ARST", {0, 1}},
        {"EM", {0, 1, 2}},
        {"ASC", {0, 1, 2}},
        {"BI", {0, 1}},
        {"HB", {1, 2}},
        {"HBM", {0, 1}},
        {"BA", {0, 1}},
        {"TAGM", {0, 1, 2, 3, 4}},
        {"CLC", {0, 1, 2, 3}},
        {"TS", {0, 1, 2, 3}},
        {"AGC", {0, 1, 2}},
        {"ABG", {0, 1, 2, 3}},
        {"SDC", {0, 1, 2}},
        {"PGC", {1, 2}},
        {"PBC", {1, 2}},
        {"LUN", {0, 1, 2}},
        {"TMPS0", {0, 1, 2, 3}},
        {"LS0", {0, 1, 4, 5, 6, 7}},
        {"SS", {0, 1}},
        {"MF", {0, 1}},
        {"BAS00", {0, 1}},
        {"BYP0", {0, 1}},
        {"PGC00", {0, 1}},
        {"PBC00", {0, 1}},
    };
    int listRows = 0;
    for (const ControlDefinition& row : ControlDefinitions::kRows) {
        listRows += row.kind == kListControl;
    }
    EXPECT_EQ(static_cast<int>(lists.size()), listRows);
    for (const auto& [mnemonic, items] : lists) {
        for (int value = -1; value <= 17; ++value) {
            const bool item = std::find(items.begin(), items.end(), value) != items.end();
            EXPECT_EQ(Ask(mnemonic + "=" + std::to_string(value)), item ? kComplete : kOutOfRange)
                << mnemonic << "=" << value;
        }
    }
}

TEST_F(SimCameraTest, PowerUpValuesAreAcceptedByTheirOwnCommands) {
    for (const ControlDefinition& row : ControlDefinitions::kRows) {
        if (row.kind == kButtonControl) {
            continue;
        }
        const std::string mnemonic = CommandTable::kCommands[row.cmdId].mnemonic;
        const std::string answer = Ask(mnemonic + "?");
        ASSERT_EQ(answer.rfind(mnemonic + "=", 0), 0u) << answer;
        EXPECT_EQ(Ask(mnemonic + "=" + answer.substr(mnemonic.size() + 1)), kComplete) << answer;
    }
}

TEST_F(SimCameraTest, CommandsWithoutAControlAcceptWhatTheyCarry) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"SA=0", kOutOfRange},
        {"SA=3", kComplete},
        {"SA=4", kOutOfRange},
        {"SA00=0", kComplete},
        {"SA00=1", kOutOfRange},
        {"LD=3", kComplete},
        {"LD=4", kOutOfRange},
        {"SDR=1", kOutOfRange},
        {"PGR00=0", kComplete},
        {"AR=1", kOutOfRange},
        {"XMLVR=999", kComplete},
        {"XMLVR=1000", kOutOfRange},
        {"CRS00=0", kOutOfRange},
        {"VN=5", kUnknown},
        {"EA=1", kUnknown},
        {"TMP0=3", kUnknown},
        {"MD=X", kUnknown},
        {"SDS=1", kUnknown},
        {"UD=" + std::string(16, 'u'), kComplete},
        {"UD=" + std::string(17, 'u'), kOutOfRange},
        {"UD=", kComplete},
        {"MD00=", kOutOfRange},
        {"UD=tab\there", kOutOfRange},
    };
    for (const auto& [line, expected] : cases) {
        EXPECT_EQ(Ask(line), expected) << line;
    }
}

TEST_F(SimCameraTest, StoredAreaLoadsBackAndEaReportsTheLastAreaUsed) {
    EXPECT_EQ(Ask("EA?"), "EA=0");
    ASSERT_EQ(Ask("GA=400"), kComplete);
    ASSERT_EQ(Ask("LUTI=3"), kComplete);
    ASSERT_EQ(Ask("LUTD=777"), kComplete);
    ASSERT_EQ(Ask("SA=2"), kComplete);
    EXPECT_TRUE(camera->TakeMemoryChanged());
    EXPECT_EQ(Ask("EA?"), "EA=2");

    ASSERT_EQ(Ask("GA=800"), kComplete);
    ASSERT_EQ(Ask("LUTD=5"), kComplete);
    ASSERT_EQ(Ask("LD=0"), kComplete);
    EXPECT_EQ(Ask("GA?"), "GA=100");
    EXPECT_EQ(Ask("EA?"), "EA=0");
    ASSERT_EQ(Ask("LD=2"), kComplete);
    EXPECT_EQ(Ask("GA?"), "GA=400");
    EXPECT_EQ(Ask("LUTD?"), "LUTD=777");
    EXPECT_EQ(Ask("EA?"), "EA=2");
    EXPECT_FALSE(camera->TakeMemoryChanged());  // loading writes nothing to flash
}

TEST_F(SimCameraTest, LoadingAnAreaLeavesTheSerialRateAlone) {
    ASSERT_EQ(Ask("CBDRT=16"), kComplete);
    ASSERT_EQ(Ask("LD=0"), kComplete);
    EXPECT_EQ(camera->BaudRate(), 115200);
    EXPECT_EQ(Ask("CBDRT?"), "CBDRT=16");
}

TEST_F(SimCameraTest, BootAreaIsLoadedAtPowerUpWithItsStoredRate) {
    ASSERT_EQ(Ask("GA=400"), kComplete);
    ASSERT_EQ(Ask("CBDRT=4"), kComplete);
    ASSERT_EQ(Ask("SA=1"), kComplete);
    ASSERT_EQ(Ask("BAS00=1"), kComplete);
    memory = camera->Memory();
    PowerUp();
    EXPECT_EQ(Ask("GA?"), "GA=400");
    EXPECT_EQ(Ask("EA?"), "EA=1");
    EXPECT_EQ(Ask("BAS00?"), "BAS00=1");
    EXPECT_EQ(camera->BaudRate(), 38400);
    PowerUp(9600);  // a rate given at start wins over the stored one
    EXPECT_EQ(camera->BaudRate(), 9600);
    EXPECT_EQ(Ask("CBDRT?"), "CBDRT=1");
}

TEST_F(SimCameraTest, CameraIdIsWrittenOnlyRightAfterTheAccessCode) {
    EXPECT_EQ(Ask("ID00=CAM0000002"), kLocked);
    EXPECT_EQ(Ask("ULCK=1234567"), kLocked);
    EXPECT_EQ(Ask("ID00=CAM0000002"), kLocked);
    ASSERT_EQ(Ask("ULCK=5086213"), kComplete);
    ASSERT_EQ(Ask("GA?"), "GA=100");
    EXPECT_EQ(Ask("ID00=CAM0000002"), kLocked);  // another line came between
    ASSERT_EQ(Ask("ULCK=5086213"), kComplete);
    EXPECT_EQ(Ask("ID00=CAM0000002"), kComplete);
    EXPECT_EQ(Ask("ID?"), "ID=CAM0000002");
    EXPECT_EQ(Ask("ID00=CAM0000003"), kLocked);  // one unlock, one write
    ASSERT_EQ(Ask("ULCK=5086213"), kComplete);
    EXPECT_EQ(Ask("ID00=ELEVENCHARS"), kOutOfRange);
}

TEST_F(SimCameraTest, CalibrationIsBusyForItsTimeThenReportsItsResult) {
    config.calibSeconds = 2.0;
    config.calibResult = 3;
    PowerUp();
    EXPECT_EQ(Ask("SDS?"), "SDS=1");  // calibrated before anyone asked
    ASSERT_EQ(Ask("SDR=0", 0.0), kComplete);
    EXPECT_EQ(Ask("SDS?", 0.1), "SDS=0");
    EXPECT_EQ(Ask("SDS?", 1.9), "SDS=0");
    EXPECT_EQ(Ask("SDS?", 2.0), "SDS=3");
    EXPECT_EQ(Ask("PGS?", 0.5), "PGS=1");  // each calibration runs on its own
    ASSERT_EQ(Ask("PBR00=0", 1.0), kComplete);
    EXPECT_EQ(Ask("PBS00?", 2.9), "PBS00=0");
    EXPECT_EQ(Ask("PBS?", 2.9), "PBS=1");
    EXPECT_EQ(Ask("PBS00?", 3.0), "PBS00=3");
}

TEST_F(SimCameraTest, ResetIsSilentThenTheCameraComesBackFromItsBootArea) {
    config.resetSeconds = 1.0;
    PowerUp();
    ASSERT_EQ(Ask("GA=300"), kComplete);
    ASSERT_EQ(Ask("SA=1"), kComplete);
    ASSERT_EQ(Ask("BAS00=1"), kComplete);
    ASSERT_EQ(Ask("GA=500"), kComplete);
    ASSERT_EQ(Ask("CBDRT=4"), kComplete);
    ASSERT_EQ(Ask("CRS00=1", 0.0), kComplete);
    EXPECT_FALSE(camera->IsListening(At(0.5)));
    EXPECT_EQ(Ask("GA?", 0.5), "<none>");
    EXPECT_TRUE(camera->IsListening(At(1.0)));
    camera->Tick(At(1.0));
    EXPECT_FALSE(camera->IsResetting());
    EXPECT_EQ(camera->BaudRate(), 9600);  // the rate stored in area 1
    EXPECT_EQ(Ask("GA?", 1.1), "GA=300");
    EXPECT_EQ(Ask("EA?", 1.1), "EA=1");
}

TEST_F(SimCameraTest, LutEntriesAreReadAndWrittenAtTheSelectedIndex) {
    EXPECT_EQ(Ask("LUTI=128"), kComplete);
    EXPECT_EQ(Ask("LUTD?"), "LUTD=2048");  // linear from the factory
    EXPECT_EQ(Ask("LUTI=255"), kComplete);
    EXPECT_EQ(Ask("LUTD?"), "LUTD=4095");
    ASSERT_EQ(Ask("LUTI=7"), kComplete);
    ASSERT_EQ(Ask("LUTD=1000"), kComplete);
    ASSERT_EQ(Ask("LUTI=8"), kComplete);
    EXPECT_EQ(Ask("LUTD?"), "LUTD=128");
    ASSERT_EQ(Ask("LUTI=7"), kComplete);
    EXPECT_EQ(Ask("LUTD?"), "LUTD=1000");
    EXPECT_EQ(Ask("LUTD=4096"), kOutOfRange);
    EXPECT_EQ(Ask("LUTI=256"), kOutOfRange);
}

TEST_F(SimCameraTest, TemperatureIsPlausibleAndFollowsTheChosenSensor) {
    ASSERT_EQ(Ask("TMPS0=0"), kComplete);
    const std::string sensor = Ask("TMP0?");
    ASSERT_EQ(Ask("TMPS0=3"), kComplete);
    const std::string fpga = Ask("TMP0?");
    EXPECT_NE(sensor, fpga);
    for (const std::string& answer : {sensor, fpga}) {
        ASSERT_EQ(answer.rfind("TMP0=", 0), 0u);
        const int degrees = std::stoi(answer.substr(5));
        EXPECT_GE(degrees, 20);
        EXPECT_LE(degrees, 80);
    }
}

TEST_F(SimCameraTest, IdentityTextsAndVersionsAreReportedAndWritten) {
    EXPECT_EQ(Ask("VN?"), "VN=102");
    EXPECT_EQ(Ask("PV?"), "PV=215");
    EXPECT_EQ(Ask("DV?"), "DV=1.0.2.7");
    EXPECT_EQ(Ask("XMLVR?"), "XMLVR=100");
    EXPECT_EQ(Ask("DV00=2.1.0.3"), kComplete);
    EXPECT_EQ(Ask("MD00=RV-4820M-PTCL"), kComplete);
    EXPECT_EQ(Ask("UD=Line 7 cam"), kComplete);
    EXPECT_EQ(Ask("XMLVR=123"), kComplete);
    EXPECT_TRUE(camera->TakeMemoryChanged());
    EXPECT_EQ(Ask("DV?"), "DV=2.1.0.3");
    EXPECT_EQ(Ask("MD?"), "MD=RV-4820M-PTCL");
    EXPECT_EQ(Ask("UD?"), "UD=Line 7 cam");
    EXPECT_EQ(Ask("XMLVR?"), "XMLVR=123");
    // A settings file's device version line is acknowledged and changes nothing.
    EXPECT_EQ(Ask("DV=1"), kComplete);
    EXPECT_EQ(Ask("DV?"), "DV=2.1.0.3");
}

TEST_F(SimCameraTest, OnePushSettlesOnALineRateFromTheReference) {
    const std::string minimum = Ask("ARMIN?");
    ASSERT_EQ(minimum.rfind("ARMIN=", 0), 0u);
    ASSERT_EQ(Ask("AL=10"), kComplete);
    ASSERT_EQ(Ask("AR=0"), kComplete);
    EXPECT_EQ(Ask("LR?"), "LR=" + std::to_string(std::stoi(minimum.substr(6)) + 100));
}

TEST_F(SimCameraTest, RefusedCommandRefusesEverySetAndStillAnswersQueries) {
    config.refusedIds = {CommandTable::IdOf("GA")};
    PowerUp();
    EXPECT_EQ(Ask("GA=400"), "Error: Refused");
    EXPECT_EQ(Ask("GA?"), "GA=100");
    EXPECT_EQ(Ask("BL=5"), kComplete);
}

}  // namespace
