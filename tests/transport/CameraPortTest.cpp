#include "transport/CameraPort.h"

#include <gtest/gtest.h>
#include <termios.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "core/LogSinks.h"
#include "core/SettingsBackend.h"
#include "core/SettingsStore.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/support/RecordingServices.h"
#include "tests/support/RecordingSettingsBackend.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TestContext.h"

namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

const milliseconds kPatience(5000);  // long enough for a loaded machine, never reached when right
const milliseconds kQuietWindow(200);

class CameraPortTest : public ::testing::Test {
protected:
    CameraPortTest() {
        pty_.BindTo(3);
        ProvideLogs();
    }

    void ProvideLogs() {
        test_.Context().ProvideExternal<TerminalLogSink>(terminal_);
        test_.Context().ProvideExternal<MessageLogSink>(messages_);
    }

    // Ends this run (the exit-time saves happen) and starts the next on the same settings.
    void Restart() {
        test_.Restart();
        ProvideLogs();
    }

    void Store(int index, int32_t value) {
        ASSERT_TRUE(test_.Context().Get<SettingsStore>().WriteDword(index, value));
    }

    int32_t Stored(int index) {
        int32_t value = -99;
        test_.Context().Get<SettingsStore>().ReadDword(index, value, -99);
        return value;
    }

    CameraPort& Port() { return test_.Context().Get<CameraPort>(); }

    PseudoTerminal pty_;
    TestContext test_;
    RecordingTerminalLog terminal_;
    RecordingMessageLog messages_;
};

TEST_F(CameraPortTest, CreationTakesTheStoredSelectionButAlwaysStartsAt9600) {
    Store(kCommunicationMode, kCameraLinkV11Category);
    Store(kBaudrate, 115200);
    Store(kComPortNo, 1);
    Store(kCameralink2000DllIndex, 2);
    Store(kCameralink2001DllIndex, 4);
    Store(kCameralinkVer11DllIndex, 5);

    CameraPort& port = Port();
    EXPECT_EQ(port.GetCategory(), kCameraLinkV11Category);
    EXPECT_EQ(port.GetBaudRate(), 9600);
    EXPECT_EQ(port.GetPortIndex(), 5);
    const std::pair<int32_t, int32_t> expected[] = {
        {kComCategory, 1}, {kCameraLink2000Category, 2}, {kCameraLink2001Category, 4}};
    for (const auto& [category, index] : expected) {
        port.SetCategory(category);
        EXPECT_EQ(port.GetPortIndex(), index) << category;
    }
    EXPECT_TRUE(test_.Notifier().Messages().empty()) << "creating the port opens nothing";
}

TEST_F(CameraPortTest, ExitWritesTheSixLinkValuesInOrderBeforeTheShutdownMark) {
    RecordingSettingsBackend backend;
    test_.Context().ProvideExternal<SettingsBackend>(backend);
    CameraPort& port = Port();
    port.Open(kCameraLink2001Category, 57600, 3);
    port.SetCategory(kComCategory);
    backend.writes.clear();

    test_.Context().DestroyAll();
    const std::vector<std::pair<std::string, uint32_t>> expected = {
        {"Communication Mode", 0},
        {"Baudrate", 57600},
        {"Com Port No", 0},
        {"Cameralink 2000 Dll Index", 0},
        {"Cameralink 2001 Dll Index", 3},
        {"Cameralink Ver11 Dll Index", 0},
        {"Previous Application Shutdown Status", 1},
    };
    EXPECT_EQ(backend.writes, expected);
}

TEST_F(CameraPortTest, TheLastBaudRateIsSavedButTheNextRunStartsAt9600) {
    Store(kComPortNo, 2);
    ASSERT_TRUE(Port().SetBaudRate(57600));
    Restart();
    EXPECT_EQ(Stored(kBaudrate), 57600);
    EXPECT_EQ(Port().GetBaudRate(), 9600);
    EXPECT_EQ(Port().GetBaudIndex(), 0);
}

TEST_F(CameraPortTest, SetBaudRateReopensTheStoredComPortAtThatSpeed) {
    Store(kComPortNo, 2);
    CameraPort& port = Port();
    ASSERT_TRUE(port.SetBaudRate(38400));
    const termios line = pty_.LineState();
    EXPECT_EQ(cfgetospeed(&line), B38400);
    EXPECT_EQ(port.GetBaudIndex(), 2);
    EXPECT_EQ(port.GetPortIndex(), 2);

    ASSERT_TRUE(pty_.Send("K"));
    char byte = 0;
    EXPECT_EQ(port.Read(&byte, 1, 5000), 1);
    EXPECT_EQ(byte, 'K');
}

TEST_F(CameraPortTest, SelectCategoryUsesTheIndexStoredForThatCategory) {
    Store(kComPortNo, 2);
    Store(kCameralink2001DllIndex, 4);
    CameraPort& port = Port();
    ASSERT_TRUE(port.Reopen());

    // No Camera Link library is there: the open fails without a message of its own.
    EXPECT_FALSE(port.SelectCategory(kCameraLink2001Category));
    EXPECT_EQ(port.GetCategory(), kCameraLink2001Category);
    EXPECT_EQ(port.GetPortIndex(), 4);
    EXPECT_TRUE(test_.Notifier().Messages().empty());
    // Leaving the COM category closed its port.
    EXPECT_TRUE(port.Write("ST00\r\n"));
    EXPECT_EQ(pty_.Receive(1, kQuietWindow), "");

    EXPECT_TRUE(port.SelectCategory(kComCategory)) << "COM3, from the stored COM index";
    EXPECT_EQ(port.GetPortIndex(), 2);
    EXPECT_TRUE(port.Write("ST00\r\n"));
    EXPECT_EQ(pty_.Receive(6, kPatience), "ST00\r\n");
}

TEST_F(CameraPortTest, AFailedSelectPortStillStoresItsIndex) {
    const std::string device = test_.Folder().File("no-such-device");
    ScopedEnvironment missing("RVTOOL_COM6", device);
    EXPECT_FALSE(Port().SelectPort(5));
    EXPECT_EQ(Port().GetPortIndex(), 5);
    EXPECT_EQ(test_.Notifier().Texts(),
              std::vector<std::string>{"Failed to initialize COM6 port!\nError in CreateFile()\n" +
                                       device + ": No such file or directory"});
    Restart();
    EXPECT_EQ(Stored(kComPortNo), 5);
}

TEST_F(CameraPortTest, TheLargestPortIndexNamesItsPortWithoutOverflow) {
    EXPECT_FALSE(Port().SelectPort(INT32_MAX));
    EXPECT_EQ(test_.Notifier().Texts(),
              std::vector<std::string>{"Failed to initialize COM2147483648 port!\nError in "
                                       "CreateFile()\nCOM2147483648: no device goes by this port "
                                       "name"});
}

TEST_F(CameraPortTest, WriteSendsTheWholeTextAndLogsItWithoutItsLineEnd) {
    Store(kComPortNo, 2);
    CameraPort& port = Port();
    ASSERT_TRUE(port.Reopen());

    EXPECT_TRUE(port.Write("ST00\r\n"));
    EXPECT_EQ(pty_.Receive(7, kQuietWindow), "ST00\r\n");
    // Only the trailing run of line ends goes, in any order; the ones inside stay.
    const std::string ragged = "A\rB\nC\n\r\n\r";
    EXPECT_TRUE(port.Write(ragged));
    EXPECT_EQ(pty_.Receive(ragged.size(), kPatience), ragged);
    EXPECT_EQ(terminal_.lines, (std::vector<std::string>{"Tx: ST00", "Tx: A\rB\nC"}));
    EXPECT_EQ(messages_.lines, (std::vector<std::string>{"ST00", "A\rB\nC"}));

    // A port that is not open takes the text without complaint; it is still logged.
    port.Close();
    EXPECT_TRUE(port.Write("GA=400\r\n"));
    EXPECT_EQ(messages_.lines.back(), "GA=400");
}

TEST_F(CameraPortTest, ReadReturnsAByteAtOnceAndNothingAfterTheTimeOutOfSilence) {
    Store(kComPortNo, 2);
    CameraPort& port = Port();
    ASSERT_TRUE(port.Reopen());
    char byte = 0;

    ASSERT_TRUE(pty_.Send("C"));
    ASSERT_TRUE(WaitUntil([&] { return port.Read(&byte, 1, 10) == 1; }, kPatience));
    EXPECT_EQ(byte, 'C');

    // With a byte waiting, even a long time-out returns at once.
    ASSERT_TRUE(pty_.Send("D"));
    ASSERT_EQ(port.Read(&byte, 1, 5000), 1);
    ASSERT_TRUE(pty_.Send("E"));
    Clock::time_point start = Clock::now();
    ASSERT_TRUE(WaitUntil([&] { return port.Read(&byte, 1, 5000) == 1; }, kPatience));
    EXPECT_LT(Clock::now() - start, milliseconds(2500));
    EXPECT_EQ(byte, 'E');

    start = Clock::now();
    EXPECT_EQ(port.Read(&byte, 1, 10), 0);
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, milliseconds(10));
    EXPECT_LT(waited, milliseconds(500));
}

TEST_F(CameraPortTest, ReadCollectsBytesAsTheyArriveWithoutUsingTheProcessor) {
    Store(kComPortNo, 2);
    CameraPort& port = Port();
    ASSERT_TRUE(port.Reopen());

    std::thread camera([this] {
        for (const char* part : {"O", "K", "\r"}) {
            std::this_thread::sleep_for(milliseconds(40));
            pty_.Send(part);
        }
    });
    char reply[4] = {};
    Clock::time_point start = Clock::now();
    EXPECT_EQ(port.Read(reply, 3, 10000), 3);
    EXPECT_LT(Clock::now() - start, milliseconds(5000));
    EXPECT_EQ(std::string(reply, 3), "OK\r");
    camera.join();

    // Waiting out a time-out of silence must sleep, not poll the ring.
    const std::chrono::microseconds cpuBefore = ThreadCpuTime();
    start = Clock::now();
    EXPECT_EQ(port.Read(reply, 1, 300), 0);
    EXPECT_GE(Clock::now() - start, milliseconds(300));
    EXPECT_LT(ThreadCpuTime() - cpuBefore, milliseconds(60));
}

TEST_F(CameraPortTest, ReadOnAPortThatIsNotOpenWaitsTheTimeOutAndReturnsNothing) {
    CameraPort& port = Port();
    char byte = 0;
    for (int32_t category : {int32_t{kComCategory}, int32_t{kCameraLink2000Category}, 9}) {
        port.SetCategory(category);
        const std::chrono::microseconds cpuBefore = ThreadCpuTime();
        const Clock::time_point start = Clock::now();
        EXPECT_EQ(port.Read(&byte, 1, 100), 0) << category;
        EXPECT_GE(Clock::now() - start, milliseconds(100)) << category;
        EXPECT_LT(ThreadCpuTime() - cpuBefore, milliseconds(50)) << category;
    }
}

TEST_F(CameraPortTest, CameraLinkCategoriesBehaveAsWhenTheirLibraryIsMissing) {
    CameraPort& port = Port();
    for (int32_t category :
         {kCameraLink2000Category, kCameraLink2001Category, kCameraLinkV11Category}) {
        EXPECT_FALSE(port.SelectCategory(category)) << category;
        EXPECT_FALSE(port.SetBaudRate(19200)) << category;
        EXPECT_EQ(port.GetBaudRate(), 19200);
        EXPECT_EQ(port.GetPortCount(), 0) << category;
        EXPECT_EQ(port.GetPortName(0), "") << category;
        EXPECT_TRUE(port.Write("ST00\r\n")) << category;
        char byte = 0;
        EXPECT_EQ(port.Read(&byte, 1, 20), 0) << category;
    }
    EXPECT_TRUE(test_.Notifier().Messages().empty());
    EXPECT_EQ(messages_.lines.size(), 3u);
}

TEST_F(CameraPortTest, AnUnknownCategoryOpensListsAndSendsNothing) {
    CameraPort& port = Port();
    port.SetCategory(7);
    EXPECT_FALSE(port.Reopen());
    EXPECT_EQ(port.GetCategory(), 7);
    EXPECT_FALSE(port.Write("ST00\r\n"));
    EXPECT_TRUE(messages_.lines.empty()) << "nothing sent, nothing logged";
    EXPECT_EQ(port.GetPortCount(), 0);
    EXPECT_EQ(port.GetPortName(0), "ERROR");
    EXPECT_EQ(port.GetPortIndex(), 0);
    EXPECT_TRUE(test_.Notifier().Messages().empty());
}

TEST_F(CameraPortTest, BaudRatesMapToListPositionsAndBack) {
    const int32_t rates[] = {9600, 19200, 38400, 57600, 115200};
    for (int32_t index = 0; index < 5; ++index) {
        EXPECT_EQ(CameraPort::BaudRateFromIndex(index), rates[index]);
    }
    EXPECT_EQ(CameraPort::BaudRateFromIndex(7), 9600);
    EXPECT_EQ(CameraPort::BaudRateFromIndex(-1), 9600);

    CameraPort& port = Port();
    port.SetCategory(7);  // changes the rate without opening anything
    for (int32_t index = 0; index < 5; ++index) {
        port.SetBaudRate(rates[index]);
        EXPECT_EQ(port.GetBaudIndex(), index);
    }
    port.SetBaudRate(230400);
    EXPECT_EQ(port.GetBaudIndex(), 0);
}

TEST_F(CameraPortTest, ComPortsAreListedAsCom1ToCom16) {
    CameraPort& port = Port();
    port.SetCategory(kComCategory);
    EXPECT_EQ(port.GetPortCount(), 16);
    EXPECT_EQ(port.GetPortName(2), "COM3");
    EXPECT_EQ(port.GetPortName(16), "ERROR");
}

// A port named by its path or a network name outlives the run as the operator wrote it, after
// COM16 in the list; the COM number stays what an older version of the program last chose.
TEST_F(CameraPortTest, APortNamedByPathIsKeptAsGivenBesideTheComNumber) {
    Store(kComPortNo, 2);
    const std::string byId = test_.Folder().File("usb-Maker_Adapter_A1-if00-port0");
    CameraPort& port = Port();
    const int32_t index = port.PortIndexOf(byId);
    EXPECT_EQ(index, 16);  // after COM1 ... COM16
    EXPECT_FALSE(port.SelectPort(index));
    EXPECT_EQ(port.CurrentPortName(), byId);
    EXPECT_EQ(port.PortIndexOf("com4"), 3);
    Restart();
    EXPECT_EQ(Port().CurrentPortName(), byId);
    EXPECT_EQ(Port().GetPortName(Port().GetPortIndex()), byId);
    EXPECT_EQ(Stored(kComPortNo), 2);
    ASSERT_FALSE(Port().SelectPort(Port().PortIndexOf("com4")));
    Restart();
    EXPECT_EQ(Stored(kComPortNo), 3);
    EXPECT_EQ(Port().CurrentPortName(), "COM4");
}

TEST_F(CameraPortTest, BytesDroppedByAFullRingAreReportedOnce) {
    Store(kComPortNo, 2);
    CameraPort& port = Port();
    EXPECT_EQ(port.TakeDroppedByteCount(), 0);
    ASSERT_TRUE(port.Reopen());
    ASSERT_TRUE(pty_.Send(std::string(1023 + 4, 'x')));
    // The bytes may arrive in several reads, each reporting its own drop.
    int dropped = 0;
    ASSERT_TRUE(
        WaitUntil([&] { return (dropped += port.TakeDroppedByteCount()) >= 4; }, kPatience));
    EXPECT_EQ(dropped, 4);
    EXPECT_EQ(port.TakeDroppedByteCount(), 0);
}

}  // namespace
