#include "platform/SerialInventory.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "platform/NaturalOrder.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TestContext.h"

namespace {

bool IsCharacterDevice(const std::string& path) {
    struct stat entry {};
    return stat(path.c_str(), &entry) == 0 && S_ISCHR(entry.st_mode);
}

// Whatever this machine has (a build machine has no USB adapter), every listed device is there
// to open, in path order, and a link to it leads to its entry.
TEST(SerialInventory, ListsDevicesThatAreThereInPathOrder) {
    TemporaryFolder folder;
    const SerialInventory inventory = ListSerialDevices();
    EXPECT_EQ(inventory.error, "");
    for (std::size_t i = 0; i < inventory.devices.size(); ++i) {
        const SerialDeviceInfo& info = inventory.devices[i];
        EXPECT_TRUE(IsCharacterDevice(info.path)) << info.path;
        for (const std::string& link : {info.byId, info.byPath}) {
            EXPECT_TRUE(link.empty() || IsCharacterDevice(link)) << link;
        }
        if (i > 0) {
            EXPECT_TRUE(NaturalLess(inventory.devices[i - 1].path, info.path)) << info.path;
        }
        const std::string link = folder.File("link" + std::to_string(i));
        ASSERT_EQ(symlink(info.path.c_str(), link.c_str()), 0);
        const SerialDeviceMatch match = FindSerialDevice(inventory, link);
        EXPECT_TRUE(match.present) << link;
        EXPECT_EQ(match.device, &info) << link;
    }
}

// A list of ports marks each name: a COM name on a device that is gone, or on anything but a
// terminal, is absent; a pseudo terminal is present though no inventory lists it.
TEST(SerialInventory, ANameIsPresentOnlyWhileItsDeviceIsThere) {
    TemporaryFolder folder;
    const std::string file = folder.File("file");
    std::ofstream(file) << "x";
    PseudoTerminal pty;
    pty.BindTo(3);
    ScopedEnvironment gone("RVTOOL_COM9", folder.File("unplugged"));
    ScopedEnvironment regular("RVTOOL_COM10", file);
    ScopedEnvironment null("RVTOOL_COM11", "/dev/null");
    const SerialInventory inventory = ListSerialDevices();

    for (const char* name : {"COM9", "COM10", "COM11", "COM40", "LPT1", "/no/such/device"}) {
        const SerialDeviceMatch match = FindSerialDevice(inventory, name);
        EXPECT_FALSE(match.present) << name;
        EXPECT_EQ(match.device, nullptr) << name;
    }
    const std::string link = folder.File("usb-FTDI_FT232R_USB_UART_A10KZP6F-if00-port0");
    ASSERT_EQ(symlink(pty.DevicePath().c_str(), link.c_str()), 0);
    for (const std::string& name : {std::string("COM3"), pty.DevicePath(), link}) {
        const SerialDeviceMatch match = FindSerialDevice(inventory, name);
        EXPECT_TRUE(match.present) << name;
        EXPECT_EQ(match.device, nullptr) << name;
    }
}

TEST(SerialInventory, NumbersInPathsCountByTheirValue) {
    EXPECT_TRUE(NaturalLess("/dev/ttyS2", "/dev/ttyS10"));
    EXPECT_FALSE(NaturalLess("/dev/ttyS10", "/dev/ttyS2"));
    EXPECT_TRUE(NaturalLess("/dev/ttyACM0", "/dev/ttyS0"));
    EXPECT_TRUE(NaturalLess("COM9", "COM10"));
    EXPECT_FALSE(NaturalLess("COM3", "COM3"));
}

}  // namespace
