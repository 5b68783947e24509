#include "operations/PageChanges.h"

#include "controls/ControlTable.h"
#include "core/ProcessContext.h"
#include "operations/ChangeHistory.h"

namespace PageChanges {

Parameters::Result Set(ProcessContext& context, int32_t ctrlId, int32_t value) {
    // A value the camera had not told cannot be sent back.
    const std::optional<int32_t> before = context.Get<ControlTable>().KnownValue(ctrlId);
    const Parameters::Result result = Parameters::Set(context, ctrlId, value);
    if (result.accepted && before && result.value != *before) {
        context.Get<ChangeHistory>().Record({ctrlId, *before, result.value});
    }
    return result;
}

std::optional<Replay> Undo(ProcessContext& context) {
    ChangeHistory& history = context.Get<ChangeHistory>();
    const std::optional<ChangeHistory::Change> change = history.NextUndo();
    if (!change) {
        return std::nullopt;
    }
    Replay replay{change->ctrlId, change->before,
                  Parameters::Set(context, change->ctrlId, change->before)};
    if (replay.result.accepted) {
        history.StepBack();
    }
    return replay;
}

std::optional<Replay> Redo(ProcessContext& context) {
    ChangeHistory& history = context.Get<ChangeHistory>();
    const std::optional<ChangeHistory::Change> change = history.NextRedo();
    if (!change) {
        return std::nullopt;
    }
    Replay replay{change->ctrlId, change->after,
                  Parameters::Set(context, change->ctrlId, change->after)};
    if (replay.result.accepted) {
        history.StepForward();
    }
    return replay;
}

}  // namespace PageChanges
