#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/TestContext.h"
#include "tools/rvsim/CameraSession.h"
#include "tools/rvsim/StateFile.h"

namespace {

class CameraSessionTest : public ::testing::Test {
protected:
    void Start(const std::string& statePath = "") {
        camera =
            std::make_unique<SimCamera>(config, CameraMemory::FactoryNew("RV-2410M-TCL", 1), 0, t0);
        session = std::make_unique<CameraSession>(*camera, faults, transcript, statePath);
    }

    SimCamera::TimePoint At(double seconds) const {
        return t0 + std::chrono::duration_cast<SimCamera::Clock::duration>(
                        std::chrono::duration<double>(seconds));
    }

    // Everything sent in answer, joined.
    std::string Send(const std::string& bytes, int hostBaud = 9600, double atSeconds = 0) {
        std::string sent;
        for (const Outgoing& outgoing : session->Receive(bytes, hostBaud, At(atSeconds))) {
            sent += outgoing.bytes;
        }
        return sent;
    }

    const SimCamera::TimePoint t0 = SimCamera::Clock::now();
    TemporaryFolder folder;
    CameraConfig config;
    FaultConfig faults;
    Transcript transcript;
    std::unique_ptr<SimCamera> camera;
    std::unique_ptr<CameraSession> session;
};

TEST_F(CameraSessionTest, HostAtAnotherRateIsNotUnderstood) {
    Start();
    EXPECT_EQ(Send("GA?\r\n", 19200), "");
    EXPECT_EQ(Send("GA", 9600), "");
    EXPECT_EQ(Send("?\r\n", 19200), "");  // also spoils the line begun at the right rate
    EXPECT_EQ(Send("\r\nGA?\r\n", 9600), "GA=100\r\n");
}

TEST_F(CameraSessionTest, AnswerToTheRateSwitchGoesAtTheOldRateAndTheRestIsLost) {
    Start();
    const auto out = session->Receive("CBDRT=16\r\nGA?\r\n", 9600, t0);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].bytes, "COMPLETE\r\n");
    EXPECT_EQ(out[0].baud, 9600);
    EXPECT_EQ(Send("GA?\r\n", 9600), "");
    EXPECT_EQ(Send("GA?\r\n", 115200), "GA=100\r\n");
}

TEST_F(CameraSessionTest, NothingIsUnderstoodDuringAReset) {
    config.resetSeconds = 0.5;
    Start();
    EXPECT_EQ(Send("CRS00=1\r\nGA?\r\n"), "COMPLETE\r\n");
    EXPECT_EQ(Send("GA?\r\n", 9600, 0.4), "");
    session->Tick(At(0.5));
    EXPECT_EQ(Send("GA?\r\n", 9600, 0.6), "GA=100\r\n");
}

TEST_F(CameraSessionTest, OverlongLineIsAnsweredAsUnknownAndTheNextOneServed) {
    Start();
    testing::internal::CaptureStderr();
    EXPECT_EQ(Send(std::string(1000, 'x') + "\r\nGA?\r\n"), "Error: Unknown command\r\nGA=100\r\n");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("longer than"), std::string::npos);
}

TEST_F(CameraSessionTest, StoringAnAreaSavesTheStateFileAtOnce) {
    const std::string path = folder.File("camera.state");
    Start(path);
    ASSERT_EQ(Send("GA=640\r\nSA=3\r\n"), "COMPLETE\r\nCOMPLETE\r\n");
    CameraMemory saved;
    std::string error;
    ASSERT_EQ(StateFile::Load(path, saved, error), StateLoad::kLoaded) << error;
    EXPECT_EQ(saved.areas[3], camera->Current());
    EXPECT_EQ(saved.areas[3].values[CommandTable::IdOf("GA")], 640);
}

TEST_F(CameraSessionTest, UnwritableStateFileIsReportedAndTheCameraRunsOn) {
    Start(folder.File("missing-folder/camera.state"));
    testing::internal::CaptureStderr();
    EXPECT_EQ(Send("SA=1\r\nGA?\r\n"), "COMPLETE\r\nGA=100\r\n");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("missing-folder"), std::string::npos);
    EXPECT_FALSE(session->SaveState());
}

TEST_F(CameraSessionTest, TranscriptRecordsReceivedLinesAndWhyBytesWereIgnored) {
    const std::string path = folder.File("transcript.txt");
    std::string error;
    ASSERT_TRUE(transcript.Open(path, error)) << error;
    faults.dropEvery = 2;
    Start();
    Send("GA?\r\n");
    Send("BL?\r\n");
    Send("LR?\r\n", 38400);
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    const std::string content = text.str();
    const std::size_t first = content.find(" recv GA?\n");
    const std::size_t second = content.find(" recv BL?\n");
    ASSERT_NE(first, std::string::npos) << content;
    ASSERT_NE(second, std::string::npos) << content;
    EXPECT_LT(first, second);
    EXPECT_NE(content.find(" note answer 2 dropped"), std::string::npos) << content;
    EXPECT_NE(content.find(" note 5 bytes not understood: host at 38400"), std::string::npos)
        << content;
}

}  // namespace
