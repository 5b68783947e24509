#include "operations/LutTransfer.h"

#include <cstdio>
#include <string>

#include "core/DialogEnabler.h"
#include "core/Notifier.h"
#include "core/OperationScope.h"
#include "core/ProcessContext.h"
#include "core/ProgressSink.h"
#include "core/StatusLine.h"
#include "core/WaitFeedback.h"
#include "files/LutChannel.h"
#include "protocol/CommandEngine.h"
#include "protocol/CommandIds.h"
#include "protocol/StepGuard.h"

namespace LutTransfer {

namespace {

constexpr int kEntryTimeoutMs = 1000;
const char kReadingText[] = "Now, reading camera gamma data  ";
const char kWritingText[] = "Now, writing camera gamma data.";

std::string WithCount(const char* text, int done) {
    char count[32];
    std::snprintf(count, sizeof count, "  (%d / %d)", done, LutChannel::kEntries);
    return std::string(text) + count;
}

OperatorWindow* WindowOf(LutChannel& channel) {
    return channel.View() != nullptr ? channel.View()->Window() : nullptr;
}

// "Written 100 of 256 LUT entries".
std::string HowFar(const char* verb, int entries) {
    return std::string(verb) + " " + std::to_string(entries) + " of " +
           std::to_string(LutChannel::kEntries) + " LUT entries";
}

}  // namespace

bool ReadTable(ProcessContext& context, int colorIndex) {
    const OperationScope operation(context);
    LutChannel& channel = context.Get<LutTables>().Channel(colorIndex);
    CommandEngine& engine = context.Get<CommandEngine>();
    DialogEnabler& dialogs = context.Get<DialogEnabler>();
    ProgressSink& progress = context.Get<ProgressSink>();
    dialogs.EnableAll(false);
    progress.ShowProgress(WindowOf(channel), kReadingText);
    progress.SetProgress(0);
    StepGuard guard(context);
    int read = 0;
    for (int i = 0; i < LutChannel::kEntries && guard.Continue(); ++i) {
        engine.SetValue(CommandIds::kLUTI, i, kEntryTimeoutMs);
        int32_t level = 0;
        if (!engine.GetValue(CommandIds::kLUTD, level, kEntryTimeoutMs)) {
            break;
        }
        ++read;
        if (level < 0) {
            level = 0;
        } else if (level > LutChannel::kMaxLevel) {
            level = LutChannel::kMaxLevel;
        }
        channel.SetOutputLevel(i, static_cast<uint32_t>(level));
        progress.SetProgressMessage(WithCount(kReadingText, i + 1));
        progress.SetProgress(i * 100 / LutChannel::kEntries);
        context.Get<WaitFeedback>().KeepAlive();
        if (channel.View() != nullptr) {
            channel.View()->ActivateWindow();
        }
    }
    progress.FinishProgress(read == LutChannel::kEntries);
    channel.SetMode(LutChannel::kViewMode);
    channel.DrawNow();
    dialogs.EnableAll(true);
    context.Get<StatusLine>().ShowOutcome(HowFar("Read", read));
    // The entries from the one that failed on keep the levels they had.
    if (!guard.TellHowFar(HowFar("Read", read)) && read < LutChannel::kEntries) {
        context.Get<Notifier>().Warn(HowFar("Read", read) + ": entry " + std::to_string(read) +
                                     " did not come back. The entries from " +
                                     std::to_string(read) + " on are as they were.");
    }
    return read == LutChannel::kEntries;
}

bool WriteTable(ProcessContext& context, int colorIndex) {
    const OperationScope operation(context);
    LutChannel& channel = context.Get<LutTables>().Channel(colorIndex);
    CommandEngine& engine = context.Get<CommandEngine>();
    DialogEnabler& dialogs = context.Get<DialogEnabler>();
    ProgressSink& progress = context.Get<ProgressSink>();
    dialogs.EnableAll(false);
    progress.ShowProgress(WindowOf(channel), kWritingText);
    progress.SetProgress(0);
    StepGuard guard(context);
    bool confirmed = true;
    int written = 0;  // entries whose index and level the camera both confirmed
    for (int i = 0; i < LutChannel::kEntries; ++i) {
        const bool indexTaken = engine.SetValue(CommandIds::kLUTI, i, kEntryTimeoutMs);
        confirmed = indexTaken && confirmed;
        if (!guard.AfterRequest()) {
            break;
        }
        const bool levelTaken = engine.SetValue(
            CommandIds::kLUTD, static_cast<int32_t>(channel.OutputLevel(i)), kEntryTimeoutMs);
        confirmed = levelTaken && confirmed;
        // Counted before the guard may end the write: a cancel that comes while the camera
        // confirms the level does not take the entry back.
        written += indexTaken && levelTaken ? 1 : 0;
        if (!guard.AfterRequest()) {
            break;
        }
        progress.SetProgressMessage(WithCount(kWritingText, i + 1));
        progress.SetProgress(i * 100 / LutChannel::kEntries);
        context.Get<WaitFeedback>().KeepAlive();
    }
    dialogs.EnableAll(true);
    progress.FinishProgress(!guard.Stopped());
    context.Get<StatusLine>().ShowOutcome(HowFar("Written", written));
    guard.TellHowFar(HowFar("Written", written));
    return confirmed && !guard.Stopped();
}

}  // namespace LutTransfer
