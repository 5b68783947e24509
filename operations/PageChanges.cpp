#include "operations/PageChanges.h"

#include "controls/ControlTable.h"
#include "core/ProcessContext.h"
#include "operations/ChangeHistory.h"

namespace PageChanges {

Parameters::Result Set(ProcessContext& context, int32_t ctrlId, int64_t value) {
    // A value the camera had not told cannot be sent back.
    const std::optional<int32_t> before = context.Get<ControlTable>().KnownValue(ctrlId);
    const Parameters::Result result = Parameters::Set(context, ctrlId, value);
    if (result.Taken() && result.sent && before && result.value != *before) {
        context.Get<ChangeHistory>().Record({ctrlId, *before, *result.value});
    }
    return result;
}

std::optional<Step> NextUndo(ProcessContext& context) {
    const std::optional<ChangeHistory::Change> change = context.Get<ChangeHistory>().NextUndo();
    return change ? std::optional<Step>(Step{change->ctrlId, change->before}) : std::nullopt;
}

std::optional<Step> NextRedo(ProcessContext& context) {
    const std::optional<ChangeHistory::Change> change = context.Get<ChangeHistory>().NextRedo();
    return change ? std::optional<Step>(Step{change->ctrlId, change->after}) : std::nullopt;
}

namespace {

// Sends the step through the same set as a typed value; once the camera took it, the place in
// the history moves.
std::optional<Replay> Send(ProcessContext& context, const std::optional<Step>& step,
                           void (ChangeHistory::*move)()) {
    if (!step) {
        return std::nullopt;
    }
    Replay replay{step->ctrlId, step->value, Parameters::Set(context, step->ctrlId, step->value)};
    if (replay.result.Taken()) {
        (context.Get<ChangeHistory>().*move)();
    }
    return replay;
}

}  // namespace

std::optional<Replay> Undo(ProcessContext& context) {
    return Send(context, NextUndo(context), &ChangeHistory::StepBack);
}

std::optional<Replay> Redo(ProcessContext& context) {
    return Send(context, NextRedo(context), &ChangeHistory::StepForward);
}

}  // namespace PageChanges
