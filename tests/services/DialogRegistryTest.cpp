#include <gtest/gtest.h>

#include <QWidget>

#include "widgets/DialogRegistry.h"

namespace {

TEST(DialogRegistryTest, EnableAllSwitchesEveryRegisteredDialog) {
    DialogRegistry registry;
    QWidget first;
    QWidget second;
    registry.Register(&first);
    registry.Register(&second);

    registry.EnableAll(false);
    EXPECT_FALSE(first.isEnabled());
    EXPECT_FALSE(second.isEnabled());
    registry.EnableAll(true);
    EXPECT_TRUE(first.isEnabled());
    EXPECT_TRUE(second.isEnabled());
}

TEST(DialogRegistryTest, UnregisterRemovesEveryEntryOfTheDialogAndNothingElse) {
    DialogRegistry registry;
    QWidget twice;
    QWidget staying;
    QWidget stranger;
    registry.Register(&twice);
    registry.Register(&staying);
    registry.Register(&twice);
    registry.Unregister(&twice);
    registry.Unregister(&stranger);

    registry.EnableAll(false);
    EXPECT_TRUE(twice.isEnabled());
    EXPECT_FALSE(staying.isEnabled());
}

}  // namespace
