#include "operations/ChangeHistory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace {

int32_t UndoControl(const ChangeHistory& history) {
    const std::optional<ChangeHistory::Change> next = history.NextUndo();
    return next ? next->ctrlId : -1;
}

int32_t RedoControl(const ChangeHistory& history) {
    const std::optional<ChangeHistory::Change> next = history.NextRedo();
    return next ? next->ctrlId : -1;
}

TEST(ChangeHistoryTest, KeepsTheLastFiftyAndAChangeEndsWhatCouldBeRedone) {
    ChangeHistory history;
    for (int32_t control = 1; control <= 60; ++control) {
        history.Record({control, 0, control});
    }
    int32_t undone = 0;
    while (history.NextUndo()) {
        history.StepBack();
        ++undone;
    }
    EXPECT_EQ(undone, 50);
    EXPECT_EQ(RedoControl(history), 11) << "the oldest kept";
    history.StepForward();
    history.Record({99, 0, 1});
    EXPECT_EQ(UndoControl(history), 99);
    EXPECT_EQ(RedoControl(history), -1);
}

// Forgetting the factory controls keeps each remaining change's place on either side of the
// undo point.
TEST(ChangeHistoryTest, ForgettingControlsKeepsThePlaceOfTheOthers) {
    ChangeHistory history;
    for (int32_t control : {1, 200, 2, 201, 3, 202}) {
        history.Record({control, 0, control});
    }
    history.StepBack();  // 202 undone
    history.StepBack();  // 3 undone
    history.StepBack();  // 201 undone
    history.Forget([](int32_t control) { return control >= 200; });
    EXPECT_EQ(UndoControl(history), 2);
    EXPECT_EQ(RedoControl(history), 3);
    history.StepBack();
    EXPECT_EQ(UndoControl(history), 1);
    history.StepBack();
    EXPECT_EQ(UndoControl(history), -1);
}

}  // namespace
