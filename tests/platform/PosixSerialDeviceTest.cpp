#include <gtest/gtest.h>
#include <sys/ioctl.h>

#include <cstdarg>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/SerialDevice.h"
#include "tests/support/PseudoTerminal.h"

namespace {

// The modem-line changes asked of the device; a pseudo terminal has no lines to read back.
struct LineChange {
    unsigned long request;
    int bits;
};
std::mutex changesMutex;
std::vector<LineChange> lineChanges;

}  // namespace

extern "C" int __real_ioctl(int fd, unsigned long request, ...);

extern "C" int __wrap_ioctl(int fd, unsigned long request, ...) {
    va_list arguments;
    va_start(arguments, request);
    void* argument = va_arg(arguments, void*);
    va_end(arguments);
    if (request == TIOCMBIS || request == TIOCMBIC || request == TIOCMSET) {
        std::lock_guard<std::mutex> lock(changesMutex);
        lineChanges.push_back({request, *static_cast<const int*>(argument)});
    }
    return __real_ioctl(fd, request, argument);
}

namespace {

TEST(PosixSerialDevice, OpenRaisesDtrAndLowersRtsWhichTheSystemRaisedAtOpen) {
    PseudoTerminal pty;
    pty.BindTo(3);
    std::unique_ptr<SerialDevice> device = SerialDevice::Create();
    ASSERT_EQ(device->Open("COM3", SerialSettings{}), SerialOpenStep::Done);

    bool dtrRaised = false;
    bool rtsHigh = true;  // Linux raises RTS when the device is opened
    std::lock_guard<std::mutex> lock(changesMutex);
    for (const LineChange& change : lineChanges) {
        const bool raises = change.request != TIOCMBIC;
        if ((change.bits & TIOCM_DTR) != 0) {
            dtrRaised = raises;
        }
        if ((change.bits & TIOCM_RTS) != 0 || change.request == TIOCMSET) {
            rtsHigh = raises && (change.bits & TIOCM_RTS) != 0;
        }
    }
    EXPECT_TRUE(dtrRaised);
    EXPECT_FALSE(rtsHigh);
}

}  // namespace
