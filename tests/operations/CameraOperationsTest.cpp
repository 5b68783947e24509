#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "controls/ControlIds.h"
#include "controls/ControlTable.h"
#include "core/CancelToken.h"
#include "core/ControlMode.h"
#include "core/OperatorDialogs.h"
#include "core/ProgressSink.h"
#include "operations/Calibration.h"
#include "operations/CameraFile.h"
#include "operations/CameraIdentity.h"
#include "operations/CameraRefresh.h"
#include "operations/FlashAreas.h"
#include "operations/OutcomeText.h"
#include "operations/Parameters.h"
#include "operations/SettingsComparison.h"
#include "presenters/MainWindowLogic.h"
#include "presenters/PageValues.h"
#include "protocol/CommandEngine.h"
#include "protocol/CommandIds.h"
#include "tests/support/FakeMainView.h"
#include "tests/support/FastWaitClock.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/SimProcess.h"
#include "tests/support/SimTranscript.h"
#include "tests/support/TestContext.h"
#include "transport/CameraPort.h"

namespace {

using Clock = std::chrono::steady_clock;
using Lines = std::vector<std::string>;

// The area dialog answered by the test: it records what it was asked and picks an item.
class ScriptedDialogs : public OperatorDialogs {
public:
    std::optional<std::string> Choose(const ChoiceRequest& request) override {
        asked.push_back(request);
        return answer;
    }
    void ShowAbout() override {}
    void EditCameraId() override {}
    void EditUserId() override {}

    std::optional<std::string> answer;
    std::vector<ChoiceRequest> asked;
};

// The flows of the flash areas, the calibrations and the identity writes, judged by what the
// simulated camera received.
class CameraOperationsTest : public testing::Test {
protected:
    CameraOperationsTest() { test.Context().ProvideExternal<OperatorDialogs>(dialogs); }

    void StartCamera(std::vector<std::string> options = {}) {
        transcript = test.Folder().File("transcript" + std::to_string(++cameras));
        options.insert(options.end(), {"--no-pacing", "--transcript", transcript});
        com1.reset();  // puts back what was there before, so it goes before the next one
        camera = std::make_unique<SimProcess>();
        ASSERT_TRUE(camera->Start(options));
        com1 = std::make_unique<ScopedEnvironment>("RVTOOL_COM1", camera->DevicePath());
        ASSERT_TRUE(test.Context().Get<CameraPort>().Open(kComCategory, 9600, 0));
    }
    std::vector<TranscriptLine> Transcript() { return ReadTranscript(transcript); }
    Lines Requests() { return ReceivedLines(transcript); }
    std::vector<std::string> Messages() { return test.Notifier().Texts(); }
    void Click(int32_t buttonId) {
        MainWindowLogic(test.Context(), view)
            .DispatchControlEvent({ControlEvent::PushClick, buttonId, 0, {}});
    }

    TestContext test;
    ScriptedDialogs dialogs;
    FakeMainView view;
    std::unique_ptr<SimProcess> camera;
    std::unique_ptr<ScopedEnvironment> com1;
    std::string transcript;
    int cameras = 0;
    int32_t area = 9;
};

TEST_F(CameraOperationsTest, StoringSendsTheChosenAreaAndOnlyFactoryModeOffersTheFactory) {
    StartCamera();
    dialogs.answer = "User 2";
    FlashAreas::StoreSettings(test.Context(), &view, area);
    EXPECT_EQ(dialogs.asked.back().items, (Lines{"User 1", "User 2", "User 3"}));
    test.Context().Get<ControlMode>().Set(1);
    dialogs.answer = "Factory";
    FlashAreas::StoreSettings(test.Context(), &view, area);
    EXPECT_EQ(dialogs.asked.back().items.front(), "Factory");
    EXPECT_EQ(area, 0);
    EXPECT_EQ(Requests(), (Lines{"SA=2", "SA00=0"}));
    EXPECT_EQ(Messages(), (Lines{"Completed saving current setting data !",
                                 "Completed saving current setting data !"}));
    dialogs.answer.reset();  // cancelled: nothing sent, the area stays
    FlashAreas::StoreSettings(test.Context(), &view, area);
    EXPECT_EQ(Requests().size(), 2u);
    EXPECT_EQ(area, 0);
}

TEST_F(CameraOperationsTest, ALoadIsFollowedByAFullReadOnlyWhenTheCameraTookIt) {
    dialogs.answer = "User 1";
    StartCamera({"--refuse", "LD"});
    FlashAreas::LoadSettings(test.Context(), &view, area);
    EXPECT_EQ(Requests(), Lines{"LD=1"});
    StartCamera();
    FlashAreas::LoadSettings(test.Context(), &view, area);
    const Lines requests = Requests();
    ASSERT_GE(requests.size(), 3u);
    EXPECT_EQ(requests[0], "LD=1");
    EXPECT_EQ(requests[1], "MD?");
    EXPECT_EQ(requests.size(), 2u + 28u);
}

// Enter in the area dialog takes the area in use, never the factory area; a load over changes
// not stored to flash asks first, naming them, and Enter keeps them.
TEST_F(CameraOperationsTest, ALoadOffersTheAreaInUseAndAsksBeforeItLosesUnstoredChanges) {
    StartCamera();
    const auto selected = [&] {
        const ChoiceRequest& request = dialogs.asked.back();
        return request.items.at(request.selected);
    };
    dialogs.answer.reset();
    area = 2;
    FlashAreas::LoadSettings(test.Context(), &view, area);
    EXPECT_EQ(selected(), "User 2");
    area = 0;
    FlashAreas::LoadSettings(test.Context(), &view, area);
    EXPECT_EQ(selected(), "User 1");
    test.Context().Get<ControlMode>().Set(1);
    FlashAreas::StoreSettings(test.Context(), &view, area);
    EXPECT_EQ(selected(), "User 1");
    test.Context().Get<ControlMode>().Set(0);

    ASSERT_TRUE(Parameters::Set(test.Context(), ControlIds::kGainLevel, 800).Taken());
    dialogs.answer = "User 1";
    test.Notifier().QueueAnswer(MessageAnswer::No);
    FlashAreas::LoadSettings(test.Context(), &view, area);
    ASSERT_EQ(test.Notifier().Messages().size(), 1u);
    const MessageRequest& question = test.Notifier().Messages()[0];
    EXPECT_EQ(question.text,
              "1 parameter changed since the last store is not stored to flash.\nGA\n\n"
              "Load User 1 and lose them?");
    EXPECT_EQ(question.defaultAnswer, MessageAnswer::No);
    for (const std::string& request : Requests()) {
        EXPECT_NE(request.rfind("LD=", 0), 0u) << "nothing loaded";
    }
}

TEST_F(CameraOperationsTest,
       FactoryButtonsRefuseInUserModeAndStoreAllWritesUserAreasThenTheFactoryArea) {
    StartCamera();
    // A factory function: in user mode no button, key or robot gets it to send anything.
    FlashAreas::StoreAll(test.Context(), &view);
    for (int32_t button :
         {ControlIds::kStoreAll, ControlIds::kSaveFactoryArea, ControlIds::kCameraReset,
          ControlIds::kCameraModelSet, ControlIds::kXmlVersionWrite}) {
        Click(button);
    }
    EXPECT_EQ(Requests(), Lines{});
    EXPECT_EQ(Messages().size(), 6u);
    EXPECT_EQ(view.endProgramCalls, 0) << "a reset refused ends nothing";
    test.Notifier().Clear();
    test.Context().Get<ControlMode>().Set(1);
    FlashAreas::StoreAll(test.Context(), &view);
    EXPECT_EQ(Requests(), (Lines{"SA=3", "SA=2", "SA=1", "SA00=0"}));
    const std::vector<TranscriptLine> lines = Transcript();
    for (std::size_t i = 2; i < lines.size(); i += 2) {
        // From the camera's acknowledgement to the next request: at least the pause.
        EXPECT_GE(lines[i].seconds - lines[i - 1].seconds, 0.020) << lines[i].text;
    }
    EXPECT_EQ(Messages().back(), "Completed to store current setting data!");
}

TEST_F(CameraOperationsTest, ACalibrationShowsItsOutcomeOnceTheCameraIsNoLongerBusy) {
    StartCamera({"--calib-seconds", "3"});
    Click(ControlIds::kRecalibrateShading);
    const Lines requests = Requests();
    const auto polls = std::count(requests.begin(), requests.end(), "SDS?");
    EXPECT_GE(polls, 3);
    EXPECT_LE(polls, 4);
    ASSERT_EQ(test.Notifier().Messages().size(), 1u);
    const MessageRequest& result = test.Notifier().Messages()[0];
    EXPECT_EQ(result.text, "Succeeded");
    EXPECT_EQ(result.caption, "Recalibrate FFC (User)");
    EXPECT_EQ(result.icon, MessageIcon::None);

    test.Notifier().Clear();
    StartCamera({"--calib-seconds", "0", "--calib-result", "7"});
    // The factory area's calibration answers no button in user mode, hidden or not.
    Click(ControlIds::kFactoryRecalibrateShading);
    EXPECT_EQ(Requests(), Lines{});
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find("factory mode"), std::string::npos);
    test.Notifier().Clear();
    test.Context().Get<ControlMode>().Set(1);
    Click(ControlIds::kFactoryRecalibrateShading);
    EXPECT_EQ(Messages(), Lines{"Unknown Result"});
    EXPECT_EQ(test.Notifier().Messages()[0].caption, "Recalibrate FFC (Factory)");
}

TEST_F(CameraOperationsTest, ACameraThatFallsSilentDuringACalibrationEndsItWithoutAnAnswer) {
    FastWaitClock::UseIn(test.Context());
    StartCamera({"--calib-seconds", "100"});
    std::thread silencer([this] {
        while (Requests().size() < 2) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        camera->Signal(SIGSTOP);
    });
    const Clock::time_point start = Clock::now();
    Click(ControlIds::kRecalibrateShading);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    silencer.join();
    camera->Signal(SIGCONT);
    // Not the camera's "Timeout Error": the camera said nothing.
    EXPECT_EQ(Messages(), Lines{Calibration::ResultText(Calibration::kNoAnswer)});
    // Silent for the 20 s the shading calibration may take to start, and the last question.
    const WaitClock& clock = test.Context().Get<WaitClock>();
    const auto waits =
        clock.Pause(std::chrono::seconds(1)) + clock.Timeout(std::chrono::seconds(20)) +
        clock.Timeout(std::chrono::seconds(5)) + clock.Pause(std::chrono::seconds(1));
    EXPECT_LE(seconds, std::chrono::duration<double>(waits).count() + 1);
}

TEST_F(CameraOperationsTest, IdentityWritesSendWhatTheEditsHold) {
    StartCamera();
    test.Context().Get<ControlMode>().Set(1);  // the camera id and device version are factory's
    view.texts = {{ControlIds::kXmlVersionMajor, "1"},
                  {ControlIds::kXmlVersionMinor, "2"},
                  {ControlIds::kXmlVersionPatch, "3"}};
    Click(ControlIds::kXmlVersionWrite);
    view.texts.clear();
    Click(ControlIds::kXmlVersionRead);
    EXPECT_EQ(view.texts[ControlIds::kXmlVersionMajor] + view.texts[ControlIds::kXmlVersionMinor] +
                  view.texts[ControlIds::kXmlVersionPatch],
              "123");

    CameraIdentity::CameraIdCharacters edits;
    edits[0] = "A";
    edits[2] = "Bx";
    EXPECT_TRUE(CameraIdentity::SaveCameraId(test.Context(), edits));
    EXPECT_FALSE(CameraIdentity::SaveUserId(test.Context(), std::string(17, 'u')));
    EXPECT_TRUE(CameraIdentity::SaveUserId(test.Context(), std::string(16, 'u')));
    EXPECT_TRUE(CameraIdentity::SaveDeviceVersion(test.Context(), {"10", "20", "3", "4"}));
    EXPECT_EQ(Requests(), (Lines{"XMLVR=123", "XMLVR?", "ULCK=5086213", "ID00=AB",
                                 "UD=" + std::string(16, 'u'), "DV00=10.20.3.4"}));
    EXPECT_EQ(Messages()[2], "User ID string is too long !!");

    // A device version of three parts is not shown: the placeholders stay.
    test.Context().Get<CommandEngine>().SetString(CommandIds::kDV00, "1.2.3", 1000);
    const CameraIdentity::AboutData about = CameraIdentity::ReadAboutData(test.Context());
    EXPECT_EQ(Requests().back(), "DV?");
    EXPECT_EQ(about.deviceVersion, (CameraIdentity::DeviceVersion{"?", "?", "?", "?"}));
    EXPECT_EQ(about.modelName, "RV-2410M-TCL");
}

Lines FileLines(const std::string& path) {
    Lines lines;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST_F(CameraOperationsTest, ASavedSettingsFileLoadsBackLineByLineInItsOrder) {
    StartCamera();
    PageValues::RefreshFromCamera(test.Context(), view);  // the pages hold what the camera holds
    const std::string path = test.Folder().File("camera.cam");
    ASSERT_TRUE(CameraFile::SaveSettingsFile(test.Context(), path, CameraFile::Variant::AllData));
    const Lines written = FileLines(path);
    ASSERT_EQ(written.size(), 1u + 26u);  // the device version, then the user parameters
    EXPECT_EQ(written[0].rfind("DV=", 0), 0u);
    EXPECT_EQ(written[1].rfind("TG=", 0), 0u);
    EXPECT_EQ(written.back().rfind("MF=", 0), 0u);
    const std::size_t asked = Requests().size();

    ASSERT_TRUE(PageValues::ReadCameraFile(test.Context(), view, path));
    const Lines requests = Requests();
    // Every parameter line goes to the camera as it stands; the device version does not.
    EXPECT_EQ(Lines(requests.begin() + static_cast<long>(asked), requests.end()),
              Lines(written.begin() + 1, written.end()));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(CameraOperationsTest, ASettingsFileSendsOnlyTheLinesThatBelongToThePages) {
    StartCamera();
    const std::string path = test.Folder().File("odd.cam");
    std::ofstream(path) << "GA = 800\r\n\nGA00=120\nAGC=1\nID=CAM7\nXY=3\nBL=-5\n";
    ASSERT_TRUE(PageValues::ReadCameraFile(test.Context(), view, path));
    EXPECT_EQ(Requests(), (Lines{"GA=800", "BL=-5"}));
    EXPECT_EQ(Messages(), Lines{"Unexpected error occurred in ToCtrlId(): Command id is 5"});
    EXPECT_EQ(test.Context().Get<ControlTable>().KnownValue(ControlIds::kGainLevel), 800);
    EXPECT_FALSE(PageValues::ReadCameraFile(test.Context(), view, test.Folder().File("none")));
}

}  // namespace

namespace {

TEST_F(CameraOperationsTest, AChangeIsCheckedThenSentAloneAndARefusalReadsTheCameraBack) {
    StartCamera({"--refuse", "BL"});
    ProcessContext& context = test.Context();
    const Parameters::Result taken = Parameters::Set(context, ControlIds::kGainLevel, 800);
    EXPECT_EQ(OutcomeText::ForChange(ControlIds::kGainLevel, 800, taken), "GA=800 taken");
    EXPECT_EQ(taken.value, 800);
    const Parameters::Result refused = Parameters::Set(context, ControlIds::kBlackLevel, 9);
    EXPECT_EQ(refused.outcome.kind, RequestOutcome::Kind::Refused);
    EXPECT_EQ(refused.value, 0) << "what the camera holds, read back";
    // Not sent, each with why: out of range, beyond 32 bits, no such item, a factory parameter
    // in user mode, a button.
    EXPECT_EQ(OutcomeText::ForChange(ControlIds::kGainLevel, 5000,
                                     Parameters::Set(context, ControlIds::kGainLevel, 5000)),
              "GA: 5000 is out of range 100 to 1600");
    EXPECT_FALSE(Parameters::Set(context, ControlIds::kExposureTime, 99999999999).sent);
    EXPECT_FALSE(Parameters::Set(context, ControlIds::kTriggerOrigin, 7).sent);
    EXPECT_NE(Parameters::Set(context, ControlIds::kFactoryInGain, 120).whyNotSent.find("factory"),
              std::string::npos);
    EXPECT_FALSE(Parameters::Set(context, ControlIds::kOnePush, 1).sent);
    EXPECT_EQ(Requests(), (Lines{"GA=800", "BL=9", "BL?"}));
}

TEST_F(CameraOperationsTest, ALoadCountsItsLinesAndNamesEachRefusalByLineNumber) {
    StartCamera({"--refuse", "BL"});
    const std::string path = test.Folder().File("refused.cam");
    std::ofstream(path) << "DV=1234\nGA=800\n"
                        << std::string(300, ' ')
                        << "\nBL=5\nXY=1\nTG=1\nPE=99999999999\nLR?\nAL=\n";
    const CameraFile::LoadSummary summary =
        CameraFile::LoadSettingsFile(test.Context(), path, nullptr);
    EXPECT_TRUE(summary.opened);
    EXPECT_EQ(summary.linesSent, 6);
    // The refused value is not taken for the camera's: the camera's own is read back.
    ControlTable& table = test.Context().Get<ControlTable>();
    EXPECT_EQ(table.GetDataValue(ControlIds::kBlackLevel), 0);
    EXPECT_TRUE(table.IsKnown(ControlIds::kBlackLevel));
    const Lines requests = Requests();
    const auto refused = std::find(requests.begin(), requests.end(), "BL=5");
    ASSERT_NE(refused, requests.end());
    EXPECT_EQ(*(refused + 1), "BL?");
    // A number beyond its range is refused as it stands, never cut to the largest value and
    // sent, and so is a line that sets no number; a long line still counts as one.
    EXPECT_EQ(requests.back(), "TG=1");
    // A name no command has is never sent, but named: a misspelt one would vanish unseen.
    EXPECT_EQ(
        OutcomeText::ForLoad(summary),
        "Loaded 6 lines, 4 refused (line 4, BL; line 7, PE; line 8, LR; line 9, AL), 1 unknown "
        "mnemonic (line 5, XY)");
}

// The progress window whose "Cancel" the operator presses once the bar reaches a step.
class CancellingProgress : public ProgressSink {
public:
    CancellingProgress(CancelToken& token, int atStep) : token_(token), atStep_(atStep) {}
    void ShowProgress(OperatorWindow*, const std::string&) override {}
    void SetProgressMessage(const std::string&) override {}
    void SetProgress(int) override {
        if (++steps_ == atStep_) {
            token_.Request();
        }
    }
    void EndProgress() override {}
    void StopProgress() override {}

private:
    CancelToken& token_;
    int atStep_;
    int steps_ = 0;
};

// How far it got counts as the summary does: the lines sent, of those the camera takes (not the
// device version line).
TEST_F(CameraOperationsTest, ACancelledLoadStopsAfterTheLineInFlightAndSaysHowFarItGot) {
    CancellingProgress progress(test.Context().Get<CancelToken>(), 3);
    test.Context().ProvideExternal<ProgressSink>(progress);
    StartCamera();
    const std::string path = test.Folder().File("five.cam");
    std::ofstream(path) << "DV=7\nGA=200\nGA=300\nGA=400\nGA=500\nGA=600\n";
    const CameraFile::LoadSummary summary =
        CameraFile::LoadSettingsFile(test.Context(), path, nullptr);
    EXPECT_TRUE(summary.stopped);
    EXPECT_EQ(Requests(), (Lines{"GA=200", "GA=300"}));
    EXPECT_EQ(Messages(), Lines{"Loaded 2 of 5 lines: cancelled."});
    EXPECT_EQ(OutcomeText::ForLoad(summary), "Loaded 2 lines, 0 refused");
}

TEST_F(CameraOperationsTest, ACancelledReadOfTheCameraSaysHowFarItGot) {
    CancellingProgress progress(test.Context().Get<CancelToken>(), 3);
    test.Context().ProvideExternal<ProgressSink>(progress);
    StartCamera();
    ReadCamera(test.Context(), nullptr);
    EXPECT_EQ(Messages(), Lines{"Read 3 of 28 parameters: cancelled."});
}

TEST_F(CameraOperationsTest, ALineTheCameraDidNotAnswerIsNotCalledRefused) {
    FastWaitClock::UseIn(test.Context());
    StartCamera({"--drop-every", "2"});
    const std::string path = test.Folder().File("two.cam");
    std::ofstream(path) << "GA=200\nBL=5\n";
    const CameraFile::LoadSummary summary =
        CameraFile::LoadSettingsFile(test.Context(), path, nullptr);
    EXPECT_EQ(OutcomeText::ForLoad(summary),
              "Loaded 2 lines, 0 refused, 1 unanswered (line 2, BL)");
}

TEST_F(CameraOperationsTest, ReadingsWithoutAnAnswerAndALutWriteWithoutALevelLoseNothing) {
    FastWaitClock::UseIn(test.Context());
    StartCamera({"--silent"});
    view.texts[ControlIds::kTemperatureText] = "41";
    Click(ControlIds::kTemperatureGet);
    EXPECT_EQ(view.texts[ControlIds::kTemperatureText], "41") << "the last reading stays";

    view.texts[ControlIds::kLutIndex] = "3";
    view.texts[ControlIds::kLutData] = "-";
    Click(ControlIds::kLutWrite);
    EXPECT_EQ(Requests(), Lines{"TMP0?"}) << "a Data field without a level writes nothing";
    ASSERT_FALSE(Messages().empty());
    EXPECT_NE(Messages().back().find("nothing was written"), std::string::npos);
}

TEST_F(CameraOperationsTest, AChangeThatGotNoAnswerIsReadBackWithTheNextOneThatDoes) {
    FastWaitClock::UseIn(test.Context());
    StartCamera();
    ControlTable& table = test.Context().Get<ControlTable>();
    ReadCamera(test.Context(), nullptr);
    camera->Signal(SIGSTOP);  // the camera pauses while the gain goes out
    const Parameters::Result lost = Parameters::Set(test.Context(), ControlIds::kGainLevel, 700);
    camera->Signal(SIGCONT);  // ... and applies it when it wakes
    while (Transcript().back().text != "COMPLETE") {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_FALSE(lost.Taken());
    EXPECT_EQ(lost.outcome.kind, RequestOutcome::Kind::NoAnswer);
    EXPECT_EQ(OutcomeText::ForChange(ControlIds::kGainLevel, 700, lost),
              "GA=700: no answer from the camera in 5 s");
    EXPECT_FALSE(table.IsKnown(ControlIds::kGainLevel)) << "the page shows no guess meanwhile";

    const Parameters::Result next = Parameters::Set(test.Context(), ControlIds::kBlackLevel, 5);
    EXPECT_TRUE(next.Taken());
    EXPECT_EQ(next.readBack, std::vector<int32_t>{ControlIds::kGainLevel});
    EXPECT_EQ(table.GetDataValue(ControlIds::kGainLevel), 700) << "what the camera holds";
    EXPECT_TRUE(table.IsKnown(ControlIds::kGainLevel));
}

// A line is what an editor shows as one: one ended by CR alone too, and one too long for the
// reader goes nowhere rather than in pieces.
TEST_F(CameraOperationsTest, ALoadSendsLinesEndedByCarriageReturnsAndSkipsAnOverlongLineWhole) {
    StartCamera({"--refuse", "TG"});
    const std::string path = test.Folder().File("lines.cam");
    std::ofstream(path, std::ios::binary) << "GA=800\rBL=5\n"
                                          << "GA=" << std::string(300, '7') << "\r\n"
                                          << "TG=1\r";
    const CameraFile::LoadSummary summary =
        CameraFile::LoadSettingsFile(test.Context(), path, nullptr);
    // The refused TG is read back, so that the table holds the camera's value.
    EXPECT_EQ(Requests(), (Lines{"GA=800", "BL=5", "TG=1", "TG?"}));
    EXPECT_EQ(Messages(), (Lines{path + "\nLine 3 is longer than 255 characters and was not sent.",
                                 "Error: Refused"}));
    ASSERT_EQ(summary.refused.size(), 1u);
    EXPECT_EQ(summary.refused[0].lineNumber, 4);
}

// A save never puts a file without a value in the place of a good one, and one with gaps only
// after a question that counts them, which Enter answers No.
TEST_F(CameraOperationsTest, ASaveWritesNoFileWithoutValuesAndAsksBeforeOneWithGaps) {
    StartCamera();
    const std::string path = test.Folder().File("good.cam");
    std::ofstream(path) << "GA=800\n";
    test.Files().QueueAnswer(path);
    CameraFile::SaveAllDataAs(test.Context(), &view);  // nothing read from the camera yet
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(test.Notifier().Messages()[0].buttons, MessageButtons::Ok);
    EXPECT_NE(Messages()[0].find("nothing was written"), std::string::npos) << Messages()[0];
    EXPECT_FALSE(CameraFile::SaveSettingsFile(test.Context(), path, CameraFile::Variant::AllData));
    EXPECT_EQ(FileLines(path), Lines{"GA=800"});

    ReadCamera(test.Context(), nullptr);
    test.Context().Get<ControlTable>().Forget(ControlIds::kBlackLevel);
    test.Notifier().Clear();
    test.Notifier().QueueAnswer(MessageAnswer::Yes);  // replace it
    test.Notifier().QueueAnswer(MessageAnswer::No);   // but not with gaps
    CameraFile::SaveAllDataAs(test.Context(), &view);
    ASSERT_EQ(Messages().size(), 2u);
    const MessageRequest& gaps = test.Notifier().Messages()[1];
    EXPECT_EQ(gaps.text.rfind("1 of the 26 parameters was not read from the camera", 0), 0u)
        << gaps.text;
    EXPECT_NE(gaps.text.find("\nBL\n"), std::string::npos) << gaps.text;
    EXPECT_EQ(gaps.defaultAnswer, MessageAnswer::No);
    EXPECT_EQ(FileLines(path), Lines{"GA=800"});
}

// A file opened by mistake is refused whole with one message, not a box per line of it.
TEST_F(CameraOperationsTest, AFileThatSetsNoParameterIsRefusedWholeAndNothingIsSent) {
    StartCamera();
    std::string binary(1 << 20, '\0');
    uint32_t seed = 7;
    for (char& byte : binary) {
        seed = seed * 1103515245u + 12345u;
        byte = static_cast<char>(seed >> 24);
    }
    const std::string folder = test.Folder().File("folder.cam");
    std::filesystem::create_directory(folder);
    const std::pair<const char*, std::string> files[] = {
        {"picture.cam", binary}, {"empty.cam", ""}, {"settings.json", "{\n  \"GA\": 400\n}\n"}};
    std::vector<std::string> paths;
    for (const auto& [name, contents] : files) {
        paths.push_back(test.Folder().File(name));
        std::ofstream(paths.back(), std::ios::binary) << contents;
    }
    paths.push_back(folder);
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        test.Notifier().Clear();
        EXPECT_FALSE(PageValues::ReadCameraFile(test.Context(), view, path));
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_NE(Messages()[0].find("not a camera settings file"), std::string::npos)
            << Messages()[0];
    }
    EXPECT_TRUE(Requests().empty());
}

TEST_F(CameraOperationsTest, AComparisonListsExactlyTheParametersThatDiffer) {
    StartCamera();
    ReadCamera(test.Context(), nullptr);
    const std::string path = test.Folder().File("reference.cam");
    ASSERT_TRUE(CameraFile::SaveSettingsFile(test.Context(), path, CameraFile::Variant::AllData));
    std::string text;
    for (std::string line : FileLines(path)) {
        if (line.rfind("GA=", 0) == 0) {
            line = "GA=900";
        } else if (line.rfind("BL=", 0) == 0) {
            line = "BL = 7";
        }
        text += line + "\n";
    }
    std::ofstream(path) << text;
    const auto differences = SettingsComparison::CompareWithFile(test.Context(), path);
    ASSERT_TRUE(differences.has_value());
    ASSERT_EQ(differences->size(), 2u);
    EXPECT_EQ((*differences)[0].mnemonic, "GA");
    EXPECT_EQ((*differences)[0].cameraValue, 100);
    EXPECT_EQ((*differences)[0].fileValue, 900);
    EXPECT_EQ((*differences)[1].mnemonic, "BL");
    EXPECT_EQ((*differences)[1].fileValue, 7);
    EXPECT_FALSE(SettingsComparison::CompareWithFile(test.Context(), path + ".none"));
    EXPECT_EQ(Messages().size(), 1u);
}

}  // namespace
