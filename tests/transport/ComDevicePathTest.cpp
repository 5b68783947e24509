#include "platform/posix/ComDevicePath.h"

#include <gtest/gtest.h>

#include "tests/support/ScopedEnvironment.h"

namespace {

TEST(ComDevicePath, DefaultsToSerialThenUsbThenAcmDevices) {
    EXPECT_EQ(ComDevicePath("COM1"), "/dev/ttyS0");
    EXPECT_EQ(ComDevicePath("COM4"), "/dev/ttyS3");
    EXPECT_EQ(ComDevicePath("COM5"), "/dev/ttyUSB0");
    EXPECT_EQ(ComDevicePath("COM12"), "/dev/ttyUSB7");
    EXPECT_EQ(ComDevicePath("COM13"), "/dev/ttyACM0");
    EXPECT_EQ(ComDevicePath("COM16"), "/dev/ttyACM3");
}

TEST(ComDevicePath, TheEnvironmentChoosesTheDeviceOfAPort) {
    ScopedEnvironment chosen("RVTOOL_COM3", "/dev/pts/42");
    ScopedEnvironment empty("RVTOOL_COM4", "");
    EXPECT_EQ(ComDevicePath("COM3"), "/dev/pts/42");
    EXPECT_EQ(ComDevicePath("COM4"), "/dev/ttyS3") << "an empty setting counts as none";
    EXPECT_EQ(ComDevicePath("COM2"), "/dev/ttyS1");
}

TEST(ComDevicePath, OtherNamesOpenNothing) {
    for (const char* name : {"COM0", "COM17", "COM", "COM03", "com3", "COM3x", "LPT1", ""}) {
        EXPECT_EQ(ComDevicePath(name), "") << name;
    }
}

}  // namespace
