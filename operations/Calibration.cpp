#include "operations/Calibration.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "controls/ControlIds.h"
#include "core/CancelToken.h"
#include "core/Notifier.h"
#include "core/OperationScope.h"
#include "core/ProcessContext.h"
#include "core/ProgressSink.h"
#include "core/WaitClock.h"
#include "core/WaitFeedback.h"
#include "operations/FactoryGate.h"
#include "protocol/CommandEngine.h"
#include "protocol/CommandIds.h"
#include "transport/CameraPort.h"

namespace Calibration {

namespace {

using Clock = std::chrono::steady_clock;

struct Procedure {
    Correction correction;
    bool factoryArea;
    int32_t buttonId;
    const char* start;
    int startTimeoutMs;
    const char* status;
    const char* caption;
};

const Procedure kProcedures[] = {
    {Correction::Shading, false, ControlIds::kRecalibrateShading, "SDR", 20000, "SDS",
     "Recalibrate FFC (User)"},
    {Correction::PixelGain, false, ControlIds::kRecalibratePixelGain, "PGR", 100000, "PGS",
     "Recalibrate Pixel Gain (User)"},
    {Correction::PixelBlack, false, ControlIds::kRecalibratePixelBlack, "PBR", 100000, "PBS",
     "Recalibrate Pixel Black (User)"},
    {Correction::Shading, true, ControlIds::kFactoryRecalibrateShading, "SDR00", 100000, "SDS00",
     "Recalibrate FFC (Factory)"},
    {Correction::PixelGain, true, ControlIds::kFactoryRecalibratePixelGain, "PGR00", 100000,
     "PGS00", "Recalibrate Pixel Gain (Factory)"},
    {Correction::PixelBlack, true, ControlIds::kFactoryRecalibratePixelBlack, "PBR00", 100000,
     "PBS00", "Recalibrate Pixel Black (Factory)"},
};

const Procedure& ProcedureOf(Kind kind) {
    for (const Procedure& procedure : kProcedures) {
        if (procedure.correction == kind.correction && procedure.factoryArea == kind.factoryArea) {
            return procedure;
        }
    }
    return kProcedures[0];
}

constexpr int32_t kBusy = 0;
constexpr int kStatusTimeoutMs = 5000;
constexpr std::chrono::milliseconds kPollPause{1000};

// How often the windows repaint during the pause between two status questions.
constexpr std::chrono::milliseconds kRepaintSlice{20};

// The pause between two status questions, spent as the engine spends its waits: the windows
// repaint and take no input but the progress window's "Cancel". False once it was pressed.
bool PauseBetweenPolls(ProcessContext& context) {
    WaitFeedback& feedback = context.Get<WaitFeedback>();
    const CancelToken& cancel = context.Get<CancelToken>();
    const Clock::time_point end = Clock::now() + context.Get<WaitClock>().Pause(kPollPause);
    feedback.BeginWait();
    while (Clock::now() < end && !cancel.Requested()) {
        std::this_thread::sleep_for(kRepaintSlice);
        feedback.KeepAlive();
    }
    feedback.EndWait();
    return !cancel.Requested();
}

long long SecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - start).count();
}

// How a request the camera did not answer ended, when that ends the calibration: the link went
// away or nothing was sent. Nothing for a camera that is merely slow.
std::optional<int32_t> Unreachable(ProcessContext& context) {
    if (context.Get<CameraPort>().LinkLost()) {
        return kLinkLost;
    }
    if (context.Get<CommandEngine>().LastOutcome().kind == RequestOutcome::Kind::NotSent) {
        return kNotSent;
    }
    return std::nullopt;
}

// Asks until the camera reports anything but busy. A status query without answer counts as
// busy, but a camera silent for as long as the calibration may take to start is given up on.
int32_t PollUntilDone(ProcessContext& context, const Procedure& kind, Clock::time_point start) {
    CommandEngine& engine = context.Get<CommandEngine>();
    ProgressSink& progress = context.Get<ProgressSink>();
    const int statusId = CommandIds::Of(kind.status);
    const auto silenceLimit =
        context.Get<WaitClock>().Timeout(std::chrono::milliseconds(kind.startTimeoutMs));
    Clock::time_point lastAnswer = start;
    for (;;) {
        if (!PauseBetweenPolls(context)) {
            return kCancelled;
        }
        int32_t code = kBusy;
        if (engine.GetValue(statusId, code, kStatusTimeoutMs)) {
            lastAnswer = Clock::now();
            if (code != kBusy) {
                return code;
            }
        } else if (const std::optional<int32_t> outcome = Unreachable(context)) {
            return *outcome;
        } else if (Clock::now() - lastAnswer >= silenceLimit) {
            return kNoAnswer;
        }
        progress.SetProgressMessage(std::string(kind.caption) + ": the camera is calibrating, " +
                                    std::to_string(SecondsSince(start)) + " s");
        progress.SetProgress(static_cast<int>(
            std::min<long long>(99, SecondsSince(start) * 100000LL / kind.startTimeoutMs)));
    }
}

bool StartTaken(ProcessContext& context, const Procedure& procedure) {
    return context.Get<CommandEngine>().SetValue(CommandIds::Of(procedure.start), 0,
                                                 procedure.startTimeoutMs);
}

// Why the start was not taken, as the engine saw it.
int32_t StartFailure(ProcessContext& context) {
    if (const std::optional<int32_t> outcome = Unreachable(context)) {
        return *outcome;
    }
    return context.Get<CommandEngine>().LastOutcome().kind == RequestOutcome::Kind::Refused
               ? kRefused
               : kNoAnswer;
}

}  // namespace

std::string ResultText(int32_t code) {
    switch (code) {
        case 0:
            return "Busy";
        case 1:
            return "Succeeded";
        case 2:
            return "Too Bright";
        case 3:
            return "Too Dark";
        case 4:
            return "Timeout Error";
        case kCancelled:
            return "Cancelled";
        case kRefused:
            return "Refused: the camera did not start the calibration.";
        case kNoAnswer:
            return "No answer from the camera: the calibration's result is unknown.";
        case kLinkLost:
            return "The link to the camera went away: the calibration's result is unknown.";
        case kNotSent:
            return "Not sent: the link to the camera was busy or not set up.";
        case kFactoryOnly:
            return FactoryGate::RefusalText("A calibration of the factory area");
        default:
            return "Unknown Result";
    }
}

std::optional<Kind> KindOfButton(int32_t buttonId) {
    for (const Procedure& procedure : kProcedures) {
        if (procedure.buttonId == buttonId) {
            return Kind{procedure.correction, procedure.factoryArea};
        }
    }
    return std::nullopt;
}

std::string Caption(Kind kind) {
    return ProcedureOf(kind).caption;
}

int32_t Run(ProcessContext& context, Kind kind, OperatorWindow* owner) {
    const Procedure& procedure = ProcedureOf(kind);
    if (kind.factoryArea && !FactoryGate::Allows(context, procedure.caption)) {
        return kFactoryOnly;
    }
    const OperationScope operation(context);
    context.Get<CancelToken>().Reset();
    ProgressSink& progress = context.Get<ProgressSink>();
    progress.ShowProgress(owner, std::string(procedure.caption) + ": starting");
    const Clock::time_point start = Clock::now();
    // The camera answers once it has taken the request; how it went, its status tells. Until
    // it took it, the status is that of an earlier calibration.
    const int32_t code = StartTaken(context, procedure) ? PollUntilDone(context, procedure, start)
                                                        : StartFailure(context);
    // Only a calibration the camera reported on ran to its end.
    progress.FinishProgress(code >= 0);
    if (code == kCancelled) {
        context.Get<Notifier>().Warn(std::string(procedure.caption) +
                                     ": cancelled. The camera may still be calibrating; its "
                                     "result will not be shown.");
    }
    return code;
}

}  // namespace Calibration
