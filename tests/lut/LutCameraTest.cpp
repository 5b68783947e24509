#include <gtest/gtest.h>

#include <signal.h>
#include <chrono>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "controls/CameraModel.h"
#include "core/CancelToken.h"
#include "core/FileChooser.h"
#include "core/ProgressSink.h"
#include "core/WaitFeedback.h"
#include "files/LutChannel.h"
#include "operations/LutFiles.h"
#include "operations/LutTransfer.h"
#include "tests/support/FastWaitClock.h"
#include "tests/support/RecordingServices.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/SimProcess.h"
#include "tests/support/SimTranscript.h"
#include "tests/support/TestContext.h"
#include "transport/CameraPort.h"

namespace {

using Lines = std::vector<std::string>;

class RecordingProgress : public ProgressSink {
public:
    void ShowProgress(OperatorWindow*, const std::string& message) override {
        messages.push_back(message);
    }
    void SetProgressMessage(const std::string& message) override { messages.push_back(message); }
    void SetProgress(int percent) override { percents.push_back(percent); }
    void EndProgress() override { messages.push_back("end"); }
    void StopProgress() override { messages.push_back("stopped"); }
    Lines messages;
    std::vector<int> percents;
};

// The table transfers and the LUT menu, judged by what the simulated camera received.
class LutCameraTest : public testing::Test {
protected:
    LutCameraTest() { test.Context().ProvideExternal<ProgressSink>(progress); }

    void StartCamera(std::vector<std::string> options = {}) {
        transcript = test.Folder().File("transcript");
        options.insert(options.end(), {"--no-pacing", "--transcript", transcript});
        camera = std::make_unique<SimProcess>();
        ASSERT_TRUE(camera->Start(options));
        com1 = std::make_unique<ScopedEnvironment>("RVTOOL_COM1", camera->DevicePath());
        ASSERT_TRUE(test.Context().Get<CameraPort>().Open(kComCategory, 9600, 0));
    }
    Lines Requests() { return ReceivedLines(transcript); }
    LutChannel& Channel(int c) { return test.Context().Get<LutTables>().Channel(c); }

    TestContext test{FastWaitClock::UseIn};
    RecordingProgress progress;
    std::unique_ptr<SimProcess> camera;
    std::unique_ptr<ScopedEnvironment> com1;
    std::string transcript;
};

TEST_F(LutCameraTest, WriteTableSendsEveryEntryAndReadTableBringsTheTableBack) {
    StartCamera();
    for (int i = 0; i < LutChannel::kEntries; ++i) {
        Channel(1).SetOutputLevel(i, static_cast<uint32_t>(4095 - 16 * i));
    }
    Channel(1).SetMode(LutChannel::kViewMode);
    LutTransfer::WriteTable(test.Context(), 1);
    Lines expected;
    for (int i = 0; i < LutChannel::kEntries; ++i) {
        expected.push_back("LUTI=" + std::to_string(i));
        expected.push_back("LUTD=" + std::to_string(4095 - 16 * i));
    }
    EXPECT_EQ(Requests(), expected);
    EXPECT_EQ(progress.messages.front(), "Now, writing camera gamma data.");
    EXPECT_EQ(progress.messages[progress.messages.size() - 2],
              "Now, writing camera gamma data.  (256 / 256)");
    EXPECT_EQ(progress.percents.back(), 99);

    progress.messages.clear();
    Channel(1).ClearTable();
    EXPECT_TRUE(LutTransfer::ReadTable(test.Context(), 1));
    EXPECT_EQ(Channel(1).GetMode(), LutChannel::kViewMode);
    for (int i = 0; i < LutChannel::kEntries; ++i) {
        ASSERT_EQ(Channel(1).OutputLevel(i), static_cast<uint32_t>(4095 - 16 * i)) << i;
    }
    EXPECT_EQ(progress.messages[1], "Now, reading camera gamma data    (1 / 256)");
    EXPECT_EQ(Requests().back(), "LUTD?");
    EXPECT_EQ(test.Notifier().Texts(), Lines{});
}

// A noisy line garbles a reply now and then, each time into other bytes: the operator sees the
// first one, and one word at the end for the rest, which the message log keeps.
TEST_F(LutCameraTest, AWriteOverANoisyLineShowsOneBadReplyAndCountsTheOthers) {
    RecordingServices services(test.Context());
    StartCamera({"--garbage-every", "4"});
    EXPECT_FALSE(LutTransfer::WriteTable(test.Context(), 0));
    const std::vector<MessageRequest>& shown = test.Notifier().Messages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].caption, "Communication Error");
    EXPECT_EQ(shown[1].text,
              "Messages like \"" + shown[0].text + "\" came 127 more times; see the message log.");
    EXPECT_EQ(shown[1].caption, "Communication Error");
    int logged = 0;
    for (const std::string& line : services.messageLog.lines) {
        logged += line.rfind("Communication Error: ", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(logged, 127);
}

TEST_F(LutCameraTest, AnUnsupportedCameraSavesThreeTablesThatOpenAgain) {
    StartCamera({"--model", "RV-9999C-TCL"});
    test.Context().Get<CameraModel>().CheckModel();
    ASSERT_FALSE(test.Context().Get<CameraModel>().IsSupported());
    test.Notifier().Clear();
    const std::string path = test.Folder().File("camera.csv");
    test.Files().QueueAnswer(path);  // saved there, and opened again
    test.Files().QueueAnswer(path);
    LutFiles::SaveLutFile(test.Context());
    EXPECT_EQ(Requests().size(), 1u + 3u * 512u);  // the model query, then three tables
    ASSERT_EQ(test.Files().Requests().size(), 1u);
    EXPECT_EQ(test.Files().Requests()[0].filterName, "Camera gamm data (*.csv)");
    EXPECT_EQ(test.Files().Requests()[0].fileName, "*.csv");
    std::ifstream file(path);
    std::string header, first;
    std::getline(file, header);
    std::getline(file, first);
    EXPECT_EQ(header, "GammaData (R G B)");
    const std::string level0 = std::to_string(Channel(0).OutputLevel(0));
    EXPECT_EQ(first, level0 + "," + level0 + "," + level0);

    for (int c = 0; c < 3; ++c) {
        Channel(c).ConvertEditable(2);
        Channel(c).OnMouseMove(128, 200, kMouseLeft);
    }
    const uint32_t camera128 = 2048;
    ASSERT_NE(Channel(2).OutputLevel(128), camera128);
    LutFiles::OpenLutFile(test.Context());
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(Channel(c).GetMode(), LutChannel::kViewMode) << c;
        EXPECT_EQ(Channel(c).OutputLevel(255), Channel(1).OutputLevel(255)) << c;
    }
    EXPECT_EQ(Channel(2).OutputLevel(128), camera128);
    EXPECT_EQ(test.Notifier().Texts(), Lines{});
}

TEST_F(LutCameraTest, AWriteToACameraThatFallsSilentEndsAfterTwoUnansweredRequests) {
    StartCamera();
    std::thread silencer([this] {
        while (Requests().size() < 20) {  // ten entries
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        camera->Signal(SIGSTOP);
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(LutTransfer::WriteTable(test.Context(), 1));
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    silencer.join();
    camera->Signal(SIGCONT);
    // Two entry time-outs of 1 s, not one for each of the 246 entries left.
    EXPECT_LT(seconds, 2 + 1.5);
    EXPECT_EQ(progress.messages.back(), "stopped") << "no full bar for a write cut short";
    ASSERT_FALSE(test.Notifier().Texts().empty());
    // The camera stops after ten entries or a few more, as soon as the silencer gets its turn.
    const std::string told = test.Notifier().Texts().back();
    const std::size_t tail = told.find(" of 256 LUT entries: the camera stopped answering.");
    ASSERT_EQ(told.rfind("Written ", 0), 0u) << told;
    ASSERT_NE(tail, std::string::npos) << told;
    const int written = std::stoi(told.substr(8, tail - 8));
    EXPECT_GE(written, 10) << told;
    EXPECT_LT(written, 256) << told;
}

// The operator presses Cancel while the camera confirms a level: that entry is written, and
// counted.
TEST_F(LutCameraTest, ACancelledWriteCountsEveryEntryTheCameraConfirmed) {
    class CancellingWait : public WaitFeedback {
    public:
        explicit CancellingWait(CancelToken& token) : token_(token) {}
        void BeginWait() override {}
        void KeepAlive() override {}
        // Waits alternate: the index of an entry, then its level.
        void EndWait() override {
            if (++waits_ == 2 * 79) {
                token_.Request();
            }
        }

    private:
        CancelToken& token_;
        int waits_ = 0;
    };
    CancellingWait wait(test.Context().Get<CancelToken>());
    test.Context().ProvideExternal<WaitFeedback>(wait);
    StartCamera();
    EXPECT_FALSE(LutTransfer::WriteTable(test.Context(), 0));
    int levels = 0;
    for (const std::string& request : Requests()) {
        levels += request.rfind("LUTD=", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(levels, 79);
    EXPECT_EQ(test.Notifier().Texts(), Lines{"Written 79 of 256 LUT entries: cancelled."});
}

TEST_F(LutCameraTest, SavingWithoutAnAnsweringCameraAsksForNoFile) {
    StartCamera({"--silent"});
    const std::string path = test.Folder().File("never.csv");
    test.Files().QueueAnswer(path);
    LutFiles::SaveLutFile(test.Context());
    EXPECT_TRUE(test.Files().Requests().empty());
    EXPECT_FALSE(std::ifstream(path).good());
    // The first entry's query goes unanswered, and the read ends there.
    EXPECT_EQ(Requests(), (Lines{"LUTI=0", "LUTD?"}));
}

}  // namespace
