#include "transport/ComPortDriver.h"

#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/PseudoTerminal.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TestContext.h"

extern char** environ;

namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

const milliseconds kPatience(5000);  // long enough for a loaded machine, never reached when right
const milliseconds kQuietWindow(200);

// Bytes 0..255 over and over, so that order and loss both show.
std::string Pattern(std::size_t size, std::size_t start = 0) {
    std::string bytes;
    for (std::size_t i = 0; i < size; ++i) {
        bytes += static_cast<char>((start + i) % 256);
    }
    return bytes;
}

class ComPortDriverTest : public ::testing::Test {
protected:
    ComPortDriverTest() : driver_(test_.Context().Get<ComPortDriver>()) { pty_.BindTo(3); }

    bool OpenCom3(int32_t baudRate = 9600) { return driver_.Open("COM3", baudRate, 8, 0, 0, 0); }

    // Reads until count bytes came or the patience ran out.
    std::string ReadFromDriver(std::size_t count, int32_t chunk = 1024) {
        std::string got;
        const Clock::time_point deadline = Clock::now() + kPatience;
        while (got.size() < count && Clock::now() < deadline) {
            char buffer[1024];
            const int32_t wanted =
                std::min<int32_t>(chunk, static_cast<int32_t>(count - got.size()));
            const int32_t n = driver_.Read(buffer, wanted);
            EXPECT_LE(n, wanted);
            got.append(buffer, static_cast<std::size_t>(n));
            if (n == 0) {
                driver_.WaitForData(deadline);
            }
        }
        return got;
    }

    PseudoTerminal pty_;
    TestContext test_;
    ComPortDriver& driver_;
};

TEST_F(ComPortDriverTest, OpensTheLineRawWith8N1AtTheCallersSpeedAndNoFlowControl) {
    ASSERT_TRUE(OpenCom3(57600));
    EXPECT_TRUE(driver_.IsOpen());
    EXPECT_TRUE(test_.Notifier().Messages().empty());

    const termios line = pty_.LineState();
    EXPECT_EQ(cfgetospeed(&line), B57600);
    EXPECT_EQ(cfgetispeed(&line), B57600);
    EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(line.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(line.c_iflag & (IXON | IXOFF), 0u);

    // Control characters that a cooked terminal would translate, echo, act on or swallow.
    const std::string awkward = std::string("\r\n\x03\x04\x11\x13\x7f\xff", 8) + '\0';
    ASSERT_TRUE(pty_.Send(awkward));
    EXPECT_EQ(ReadFromDriver(awkward.size()), awkward);
    EXPECT_EQ(pty_.Receive(1, kQuietWindow), "") << "received bytes were echoed";
    ASSERT_TRUE(driver_.Write(awkward.data(), static_cast<int32_t>(awkward.size())));
    EXPECT_EQ(pty_.Receive(awkward.size() + 1, kQuietWindow), awkward);
}

TEST_F(ComPortDriverTest, ClosesHarmlesslyAndReopens) {
    driver_.Close();  // nothing open yet
    ASSERT_TRUE(OpenCom3());
    driver_.Close();
    driver_.Close();
    EXPECT_FALSE(driver_.IsOpen());
    char byte = 0;
    EXPECT_FALSE(driver_.Write("x", 1));
    EXPECT_EQ(driver_.Read(&byte, 1), 0);

    ASSERT_TRUE(OpenCom3());
    ASSERT_TRUE(OpenCom3()) << "opening again while open must close the old port first";
    ASSERT_TRUE(pty_.Send("ok"));
    EXPECT_EQ(ReadFromDriver(2), "ok");
    EXPECT_TRUE(test_.Notifier().Messages().empty());
}

TEST_F(ComPortDriverTest, AMissingDeviceIsReportedAsCreateFileWithItsReasonAndLeavesNoPortOpen) {
    const std::string device = test_.Folder().File("no-such-device");
    ScopedEnvironment missing("RVTOOL_COM7", device);
    ASSERT_TRUE(OpenCom3());

    EXPECT_FALSE(driver_.Open("COM7", 9600, 8, 0, 0, 0));
    ASSERT_EQ(test_.Notifier().Messages().size(), 1u);
    const MessageRequest& message = test_.Notifier().Messages()[0];
    EXPECT_EQ(message.text, "Failed to initialize COM7 port!\nError in CreateFile()\n" + device +
                                ": No such file or directory");
    EXPECT_EQ(message.icon, MessageIcon::Warning);
    EXPECT_EQ(message.buttons, MessageButtons::Ok);

    // The port that was open before is closed too.
    EXPECT_FALSE(driver_.IsOpen());
    EXPECT_FALSE(driver_.Write("ST00\r\n", 6));
    EXPECT_EQ(pty_.Receive(1, kQuietWindow), "");
    char byte = 0;
    EXPECT_EQ(driver_.Read(&byte, 1), 0);
}

TEST_F(ComPortDriverTest, RefusedOpenStepsNameTheirCall) {
    ScopedEnvironment notATerminal("RVTOOL_COM8", "/dev/null");
    EXPECT_FALSE(driver_.Open("COM8", 9600, 8, 0, 0, 0));
    EXPECT_FALSE(driver_.Open("COM3", 12345, 8, 0, 0, 0));
    EXPECT_FALSE(driver_.Open("COM3", 9600, 9, 0, 0, 0));
    const std::string com3 = pty_.DevicePath();
    const std::vector<std::string> expected = {
        "Failed to initialize COM8 port!\nError in CreateFile()\n/dev/null: a device that is no "
        "terminal, so no serial port",
        "Failed to initialize COM3 port!\nError in SetCommState()\n" + com3 + ": Invalid argument",
        "Failed to initialize COM3 port!\nError in SetCommState()\n" + com3 + ": Invalid argument",
    };
    EXPECT_EQ(test_.Notifier().Texts(), expected);
    EXPECT_FALSE(driver_.IsOpen());
    // A refused setting leaves the device free for the next try.
    EXPECT_TRUE(OpenCom3());
}

TEST_F(ComPortDriverTest, ListsSixteenPortsNamedCom1ToCom16) {
    EXPECT_EQ(driver_.GetPortCount(), 16);
    EXPECT_EQ(driver_.GetPortName(0), "COM1");
    EXPECT_EQ(driver_.GetPortName(15), "COM16");
    EXPECT_EQ(driver_.GetPortName(16), "ERROR");
    EXPECT_EQ(driver_.GetPortName(-1), "ERROR");
}

TEST_F(ComPortDriverTest, WriteSendsEveryByteInOrderAndNothingForAnEmptyText) {
    ASSERT_TRUE(OpenCom3());
    EXPECT_FALSE(driver_.Write("x", 0));
    EXPECT_FALSE(driver_.Write("x", -1));
    EXPECT_EQ(pty_.Receive(1, kQuietWindow), "");

    std::string sent;
    for (std::size_t length = 1; length <= 60; ++length) {
        const std::string text = Pattern(length, sent.size());
        ASSERT_TRUE(driver_.Write(text.data(), static_cast<int32_t>(text.size())));
        sent += text;
    }
    EXPECT_EQ(pty_.Receive(sent.size(), kPatience), sent);
}

TEST_F(ComPortDriverTest, ReadHandsOutBytesInOrderAcrossManyTurnsOfTheRing) {
    ASSERT_TRUE(OpenCom3(115200));
    char byte = 0;
    EXPECT_EQ(driver_.Read(&byte, 1), 0);
    EXPECT_EQ(driver_.Read(&byte, 0), 0);

    // Each burst is read before the next is sent, so the ring never holds more than it can.
    std::size_t total = 0;
    const int32_t readSizes[] = {1, 7, 64, 1000};
    for (int burst = 0; burst < 60; ++burst) {
        const std::size_t size = 1 + (static_cast<std::size_t>(burst) * 397) % 1000;
        const std::string bytes = Pattern(size, total);
        ASSERT_TRUE(pty_.Send(bytes));
        ASSERT_EQ(ReadFromDriver(size, readSizes[burst % 4]), bytes) << "burst " << burst;
        total += size;
    }
    EXPECT_GT(total, 20u * ComPortDriver::kRingSize);
    EXPECT_EQ(driver_.GetAvailable(), 0);
    EXPECT_EQ(driver_.TakeDroppedByteCount(), 0);
}

TEST_F(ComPortDriverTest, AFullRingKeeps1023UnreadBytesAndDropsAndCountsTheRest) {
    ASSERT_TRUE(OpenCom3());
    const std::string kept = Pattern(1023);
    ASSERT_TRUE(pty_.Send(kept));
    ASSERT_TRUE(WaitUntil([&] { return driver_.GetAvailable() == 1023; }, kPatience));

    ASSERT_TRUE(pty_.Send("LATE!"));
    int32_t dropped = 0;  // the five bytes may come in more than one drain
    ASSERT_TRUE(
        WaitUntil([&] { return (dropped += driver_.TakeDroppedByteCount()) >= 5; }, kPatience));
    EXPECT_EQ(dropped, 5);
    EXPECT_EQ(driver_.GetAvailable(), 1023);
    EXPECT_EQ(driver_.TakeDroppedByteCount(), 0) << "taking the count resets it";

    EXPECT_EQ(ReadFromDriver(1023), kept) << "unread bytes were overwritten";
    EXPECT_EQ(driver_.GetAvailable(), 0);
    ASSERT_TRUE(pty_.Send("next"));
    EXPECT_EQ(ReadFromDriver(4), "next");
}

TEST_F(ComPortDriverTest, BytesLeftAtCloseAreNotReturnedAfterTheNextOpen) {
    ASSERT_TRUE(OpenCom3());
    ASSERT_TRUE(pty_.Send("stale"));
    ASSERT_TRUE(WaitUntil([&] { return driver_.GetAvailable() == 5; }, kPatience));
    driver_.Close();
    char buffer[8];
    EXPECT_EQ(driver_.Read(buffer, 8), 0) << "a closed port hands nothing out";

    ASSERT_TRUE(OpenCom3());
    ASSERT_TRUE(pty_.Send("fresh"));
    EXPECT_EQ(ReadFromDriver(5), "fresh");
}

TEST_F(ComPortDriverTest, ResetBufferDiscardsUnreadBytes) {
    ASSERT_TRUE(OpenCom3());
    ASSERT_TRUE(pty_.Send("old"));
    ASSERT_TRUE(WaitUntil([&] { return driver_.GetAvailable() == 3; }, kPatience));
    driver_.ResetBuffer();
    EXPECT_EQ(driver_.GetAvailable(), 0);
    ASSERT_TRUE(pty_.Send("new"));
    EXPECT_EQ(ReadFromDriver(3), "new");
}

TEST_F(ComPortDriverTest, WaitForDataWakesWhenAByteArrivesAndOtherwiseAtTheDeadline) {
    // A closed port never has data: the wait lasts until the deadline.
    Clock::time_point start = Clock::now();
    EXPECT_FALSE(driver_.WaitForData(start + milliseconds(30)));
    EXPECT_GE(Clock::now() - start, milliseconds(30));

    ASSERT_TRUE(OpenCom3());
    start = Clock::now();
    EXPECT_FALSE(driver_.WaitForData(start + milliseconds(30)));
    EXPECT_GE(Clock::now() - start, milliseconds(30));

    std::thread camera([this] {
        std::this_thread::sleep_for(milliseconds(50));
        pty_.Send("A");
    });
    start = Clock::now();
    EXPECT_TRUE(driver_.WaitForData(start + kPatience));
    EXPECT_LT(Clock::now() - start, kPatience / 2);
    camera.join();
    EXPECT_EQ(driver_.GetAvailable(), 1);
}

// A camera's reply comes a byte at a time at line speed. Sixteen cameras at once, each reader
// woken for every byte of every reply, kept two processors busy with waking alone.
TEST_F(ComPortDriverTest, ALineComingAByteAtATimeWakesItsReaderOnceOrTwiceNotForEveryByte) {
    ASSERT_TRUE(OpenCom3(115200));
    const std::string line = "LUTD=1023 ABCDEF\r\n";
    std::thread camera([&] {
        for (const char byte : line) {
            pty_.Send(std::string(1, byte));
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
    });
    std::string got;
    int wakes = 0;
    const Clock::time_point deadline = Clock::now() + kPatience;
    while (got.find('\n') == std::string::npos && Clock::now() < deadline) {
        char buffer[64];
        const int32_t n = driver_.Read(buffer, static_cast<int32_t>(sizeof buffer));
        got.append(buffer, static_cast<std::size_t>(n));
        if (n == 0 && driver_.WaitForData(deadline)) {
            ++wakes;
        }
    }
    camera.join();
    EXPECT_EQ(got, line);
    EXPECT_LE(wakes, 3) << "the reader was woken for bytes that did not finish its line";
}

TEST_F(ComPortDriverTest, CloseEndsTheWaitingReceiveThreadWithin100Ms) {
    ASSERT_TRUE(OpenCom3());
    // A byte that went through shows the receive thread has run and gone back to waiting.
    ASSERT_TRUE(pty_.Send("x"));
    ASSERT_EQ(ReadFromDriver(1), "x");
    const Clock::time_point start = Clock::now();
    driver_.Close();
    EXPECT_LT(Clock::now() - start, milliseconds(100));
}

TEST_F(ComPortDriverTest, ADeviceThatGoesAwayEndsReceptionAndIsMarkedLost) {
    ASSERT_TRUE(OpenCom3());
    ASSERT_TRUE(pty_.Send("last"));
    ASSERT_TRUE(WaitUntil([&] { return driver_.GetAvailable() == 4; }, kPatience));
    pty_.Hangup();

    // The receive thread must end rather than spin on the hung-up device.
    timespec before{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &before);
    std::this_thread::sleep_for(milliseconds(300));
    timespec after{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &after);
    const double usedMs =
        (after.tv_sec - before.tv_sec) * 1e3 + (after.tv_nsec - before.tv_nsec) / 1e6;
    EXPECT_LT(usedMs, 150.0);

    EXPECT_EQ(ReadFromDriver(4), "last");
    EXPECT_TRUE(driver_.DeviceLost()) << "the owner of the port must learn of it to reconnect";
    EXPECT_TRUE(driver_.Write("x", 1)) << "a write to an open port reports true, sent or not";
    const Clock::time_point start = Clock::now();
    driver_.Close();
    EXPECT_LT(Clock::now() - start, milliseconds(100));
    EXPECT_TRUE(test_.Notifier().Messages().empty());
}

// Another copy of the program holding the port, started as a separate process.
class PortHolder {
public:
    explicit PortHolder(const std::string& device) {
        int toChild[2];
        int fromChild[2];
        if (pipe(toChild) != 0 || pipe(fromChild) != 0) {
            ADD_FAILURE() << "pipe failed";
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, toChild[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, fromChild[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, toChild[1]);
        posix_spawn_file_actions_addclose(&actions, fromChild[0]);
        char* arguments[] = {const_cast<char*>(PORT_HOLDER), const_cast<char*>(device.c_str()),
                             nullptr};
        if (posix_spawn(&child_, PORT_HOLDER, &actions, nullptr, arguments, environ) != 0) {
            ADD_FAILURE() << "cannot start " << PORT_HOLDER;
            child_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        close(toChild[0]);
        close(fromChild[1]);
        input_ = toChild[1];
        output_ = fromChild[0];
    }

    ~PortHolder() {
        Release();
        if (output_ >= 0) {
            close(output_);
        }
    }

    // Waits for the holder to say it has the port.
    bool Holds() {
        std::string said;
        char byte = 0;
        while (said != "held\n" && read(output_, &byte, 1) == 1) {
            said += byte;
        }
        return said == "held\n";
    }

    pid_t Pid() const { return child_; }

    void Release() {
        if (input_ >= 0) {
            close(input_);
            input_ = -1;
        }
        if (child_ > 0) {
            int status = 0;
            waitpid(child_, &status, 0);
            child_ = -1;
        }
    }

private:
    pid_t child_ = -1;
    int input_ = -1;
    int output_ = -1;
};

// The port is the lock: another program's port is refused at once, naming it, and is there
// to take the moment it lets go.
TEST_F(ComPortDriverTest, APortAnotherProgramHoldsIsRefusedAtOnceNamingItsHolder) {
    PortHolder holder(pty_.DevicePath());
    ASSERT_TRUE(holder.Holds());
    const Clock::time_point start = Clock::now();
    EXPECT_FALSE(OpenCom3());
    EXPECT_LT(Clock::now() - start, milliseconds(1000));
    EXPECT_TRUE(driver_.OpenFoundPortInUse());
    ASSERT_EQ(test_.Notifier().Messages().size(), 1u);
    EXPECT_NE(test_.Notifier().Messages()[0].text.find("in use by another program (process " +
                                                       std::to_string(holder.Pid()) + ")"),
              std::string::npos)
        << test_.Notifier().Messages()[0].text;

    holder.Release();
    ASSERT_TRUE(OpenCom3());
    ASSERT_TRUE(driver_.Write("GA?\r\n", 5));
    EXPECT_EQ(pty_.Receive(5, kPatience), "GA?\r\n");
}

// No name in a folder stands for the port: nothing another user could hold for ever, and no
// link planted there that the root's run would follow to make a file.
TEST(PortLockTest, TalkingOverAPortMakesNoFileAndFollowsNoLink) {
    TemporaryFolder runtime;
    const ScopedEnvironment runtimeDirectory("XDG_RUNTIME_DIR", runtime.Path());
    const std::string planted = runtime.File("planted");
    ASSERT_EQ(symlink(planted.c_str(), runtime.File("Rs Mutex").c_str()), 0);
    PseudoTerminal pty;
    pty.BindTo(3);
    {
        TestContext test;
        ComPortDriver& driver = test.Context().Get<ComPortDriver>();
        ASSERT_TRUE(driver.Open("COM3", 9600, 8, 0, 0, 0));
        ASSERT_TRUE(driver.Write("GA?\r\n", 5));
        EXPECT_EQ(pty.Receive(5, kPatience), "GA?\r\n");
        ASSERT_TRUE(pty.Send("GA=100\r\n"));
        const Clock::time_point deadline = Clock::now() + kPatience;
        while (driver.GetAvailable() < 8 && driver.WaitForData(deadline)) {
        }
        EXPECT_EQ(driver.GetAvailable(), 8);
    }
    struct stat entry {};
    EXPECT_NE(lstat(planted.c_str(), &entry), 0) << "a file was made where the link points";
}

}  // namespace
