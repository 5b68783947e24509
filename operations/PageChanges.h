#pragma once

#include <cstdint>
#include <optional>

#include "operations/Parameters.h"

class ProcessContext;

// An operator's change of a value on a page: sent as every change is (Parameters::Set) and,
// once the camera took it, kept in the ChangeHistory so that it can be taken back.
namespace PageChanges {

// The change of a page control to value; what Parameters::Set tells of it.
Parameters::Result Set(ProcessContext& context, int32_t ctrlId, int64_t value);

// An undo or redo sent to the camera: the control, the value sent and what became of it.
struct Replay {
    int32_t ctrlId = 0;
    int32_t value = 0;
    Parameters::Result result;
};

// A value an undo or redo sends: which control, and the value.
struct Step {
    int32_t ctrlId = 0;
    int32_t value = 0;
};

// What an undo or redo would send now. Nothing when there is no change to take back or make
// again.
std::optional<Step> NextUndo(ProcessContext& context);
std::optional<Step> NextRedo(ProcessContext& context);

// Sends the value the parameter had before the last change still in force, through the same
// set as a typed value; a refusal keeps the place in the history. Nothing when there is no
// change to take back.
std::optional<Replay> Undo(ProcessContext& context);
// Sends the value of the change undone last again. Nothing when no undone change is left.
std::optional<Replay> Redo(ProcessContext& context);

}  // namespace PageChanges
