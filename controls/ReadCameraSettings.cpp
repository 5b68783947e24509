#include "controls/ReadCameraSettings.h"

#include <string>

#include "controls/CameraModel.h"
#include "controls/ControlTable.h"
#include "core/ControlMode.h"
#include "core/ProcessContext.h"
#include "core/ProgressSink.h"
#include "core/WaitFeedback.h"
#include "protocol/CommandEngine.h"
#include "protocol/StepGuard.h"

namespace {
constexpr int kReadTimeoutMs = 5000;
}  // namespace

int ReadCameraSettings(ProcessContext& context, OperatorWindow* owner) {
    ControlTable& table = context.Get<ControlTable>();
    const bool factoryMode = context.Get<ControlMode>().IsFactory();
    const bool supported = context.Get<CameraModel>().IsSupported();
    CommandEngine& engine = context.Get<CommandEngine>();
    ProgressSink& progress = context.Get<ProgressSink>();

    // The bar counts every value row of the mode, while only the read-back rows are read, so it
    // stops short of 100 before the end shows the full bar.
    const int rowCount = factoryMode ? table.CountValueControls() : table.CountUserValueControls();
    progress.ShowProgress(owner, "Now, reading camera settings.");
    int progressSum = 0;
    int unanswered = 0;
    int read = 0;
    StepGuard guard(context);
    for (int i = 0; i < ControlTable::kRowCount; ++i) {
        const ControlEntry& row = table.Entries()[i];
        if (!supported || !row.readBack || (row.paramClass == kFactoryParam && !factoryMode) ||
            !table.HasValue(i)) {
            continue;
        }
        int32_t value = 0;
        // A row the camera did not tell is unknown: its old value is not the camera's. Once the
        // operator cancelled or the camera left two questions in a row unanswered, the rest is
        // not asked and stays unknown too.
        const bool asking = guard.Continue() && !guard.CameraSilent();
        const bool answered = asking && engine.GetValue(row.cmdId, value, kReadTimeoutMs);
        if (asking) {
            guard.AfterRequest();
        }
        if (answered) {
            table.Told(row.ctrlId, value);
            ++read;
        } else {
            table.Forget(row.ctrlId);
            ++unanswered;
        }
        if (asking) {
            // The bar shows how far the read went, not the rows it no longer asks for.
            progressSum += 100;
            progress.SetProgress(progressSum / rowCount);
        }
        context.Get<WaitFeedback>().KeepAlive();
    }
    progress.FinishProgress(!guard.Stopped());
    guard.TellHowFar("Read " + std::to_string(read) + " of " + std::to_string(read + unanswered) +
                     " parameters");
    return unanswered;
}
