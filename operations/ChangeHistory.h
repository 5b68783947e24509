#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// The operator's last changes of page values, for undo and redo: which control, the value it
// had before and the value it got. Undone changes stay for redo until a new change is made.
class ChangeHistory {
public:
    struct Change {
        int32_t ctrlId = 0;
        int32_t before = 0;
        int32_t after = 0;
    };

    // How many changes are kept; the oldest goes first.
    static constexpr std::size_t kDepth = 50;

    // A change the camera accepted; the changes undone before it can no longer be redone.
    void Record(const Change& change);
    // The change an undo would take back, and the one a redo would make again.
    std::optional<Change> NextUndo() const;
    std::optional<Change> NextRedo() const;
    // The camera took the undo or redo: the place in the history moves.
    void StepBack();
    void StepForward();
    // The camera's values were replaced as a whole: nothing left to take back.
    void Clear();
    // Drops the changes of the controls the operator may no longer change (the factory ones,
    // once back in user mode); the others keep their order and their place for undo and redo.
    void Forget(const std::function<bool(int32_t ctrlId)>& gone);

private:
    std::vector<Change> changes_;
    std::size_t done_ = 0;  // the changes in force, from the front
};
