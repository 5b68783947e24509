#include "platform/ComPortName.h"

#include <gtest/gtest.h>

namespace {

// Virtual COM ports (USB adapters, device servers) often get numbers far above COM16.
TEST(ComPortName, EveryNumberWindowsGivesIsAPort) {
    EXPECT_EQ(ComPortNumber("COM1"), 1);
    EXPECT_EQ(ComPortNumber("COM17"), 17);
    EXPECT_EQ(ComPortNumber("COM256"), 256);
    for (const char* name : {"COM257", "COM0", "COM017", "COM", "com3", "COM3x", "COM-1", ""}) {
        EXPECT_EQ(ComPortNumber(name), 0) << name;
    }
    EXPECT_EQ(ComPortNumberAnyCase("com3"), 3);
    EXPECT_EQ(ComPortNumberAnyCase("Com256"), 256);
    EXPECT_EQ(ComPortNumberAnyCase("cOM257"), 0);
}

}  // namespace
