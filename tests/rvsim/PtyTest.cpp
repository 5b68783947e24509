#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/rvsim/HostPort.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/support/SimProcess.h"
#include "tests/support/TestContext.h"
#include "tools/rvsim/SimServer.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

// rvsim's server on a thread of the test, and the host's end of its line.
class ServedCamera {
public:
    explicit ServedCamera(const SimOptions& options) : server_(options) {
        std::string error;
        opened_ = server_.Open(error);
        EXPECT_TRUE(opened_) << error;
        if (opened_) {
            thread_ = std::thread([this] { server_.Run(); });
        }
    }
    ~ServedCamera() {
        server_.RequestStop();
        if (thread_.joinable()) {
            thread_.join();
        }
    }
    bool Connect(HostPort& host, int baud) {
        return opened_ && host.Open(server_.DevicePath(), baud);
    }
    const std::string& DevicePath() const { return server_.DevicePath(); }

private:
    SimServer server_;
    bool opened_ = false;
    std::thread thread_;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(RvsimSmoke, RealExecutableAnswersTheModelQueryWellWithin100ms) {
    SimProcess sim;
    ASSERT_TRUE(sim.Start({}));
    HostPort host;
    ASSERT_TRUE(host.Open(sim.DevicePath(), 9600));
    std::string line;
    const Clock::time_point sent = Clock::now();
    ASSERT_TRUE(host.Write("MD?\r\n"));
    ASSERT_TRUE(host.ReadLine(line, 1000));
    const double latency = Milliseconds(Clock::now() - sent);
    EXPECT_EQ(line, "MD=RV-2410M-TCL\r\n");
    EXPECT_LT(latency, 100.0);
    std::printf("rvsim answered MD? in %.1f ms at 9600 bit/s\n", latency);
    RecordProperty("MdLatencyMs", std::to_string(latency));
    EXPECT_EQ(sim.Stop(SIGINT), 0);
}

TEST(RvsimExecutable, SigtermSavesTheStateRemovesTheLinkAndTheAreasComeBack) {
    TemporaryFolder folder;
    const std::string state = folder.File("camera.state");
    const std::string link = folder.File("camera");
    {
        SimProcess sim;
        ASSERT_TRUE(sim.Start({"--state", state, "--link", link, "--no-pacing"}));
        HostPort host;
        ASSERT_TRUE(host.Open(link, 9600));
        EXPECT_EQ(host.Ask("GA=720"), "COMPLETE");
        EXPECT_EQ(host.Ask("SA=2"), "COMPLETE");
        EXPECT_EQ(host.Ask("UD=kept"), "COMPLETE");
        EXPECT_EQ(host.Ask("MD00=RV-4820M-TCL"), "COMPLETE");
        EXPECT_EQ(sim.Stop(SIGTERM), 0);
        struct stat info {};
        EXPECT_NE(lstat(link.c_str(), &info), 0);  // the link is gone
    }
    SimProcess sim;
    ASSERT_TRUE(sim.Start({"--state", state, "--no-pacing"}));
    HostPort host;
    ASSERT_TRUE(host.Open(sim.DevicePath(), 9600));
    EXPECT_EQ(host.Ask("GA?"), "GA=100");  // the factory area was loaded at power-up
    EXPECT_EQ(host.Ask("LD=2"), "COMPLETE");
    EXPECT_EQ(host.Ask("GA?"), "GA=720");
    EXPECT_EQ(host.Ask("UD?"), "UD=kept");
    EXPECT_EQ(host.Ask("MD?"), "MD=RV-4820M-TCL");
    EXPECT_EQ(sim.Stop(SIGTERM), 0);
}

TEST(RvsimPty, AnswerIsPacedAtTenBitsAByte) {
    SimOptions options;
    ServedCamera camera(options);
    HostPort host;
    ASSERT_TRUE(camera.Connect(host, 9600));
    const std::string model(32, 'M');
    ASSERT_EQ(host.Ask("MD00=" + model), "COMPLETE");
    std::string line;
    Clock::time_point first;
    Clock::time_point last;
    const Clock::time_point sent = Clock::now();
    ASSERT_TRUE(host.Write("MD?\r\n"));
    ASSERT_TRUE(host.ReadLine(line, 1000, &first, &last));
    ASSERT_EQ(line, "MD=" + model + "\r\n");
    // 37 bytes at 9600 bit/s take 38.5 ms. A loaded machine can only make the whole answer
    // later; it can make the host notice the first byte late, hence the loose spread bound.
    const double byteMs = 10.0 * 1000.0 / 9600.0;
    EXPECT_GE(Milliseconds(last - sent), 0.9 * 37 * byteMs);
    EXPECT_GE(Milliseconds(last - first), 0.5 * 36 * byteMs);
}

TEST(RvsimPty, HostAtAnotherRateIsIgnoredUntilItMatches) {
    SimOptions options;
    ServedCamera camera(options);
    HostPort host;
    ASSERT_TRUE(camera.Connect(host, 19200));
    EXPECT_EQ(host.Ask("MD?", 300), "<none>");
    ASSERT_TRUE(host.SetBaud(9600));
    EXPECT_EQ(host.Ask("MD?"), "MD=RV-2410M-TCL");
}

TEST(RvsimPty, AfterTheRateSwitchTheCameraOnlyUnderstandsTheNewRate) {
    SimOptions options;
    ServedCamera camera(options);
    HostPort host;
    ASSERT_TRUE(camera.Connect(host, 9600));
    EXPECT_EQ(host.Ask("CBDRT=16"), "COMPLETE");
    EXPECT_EQ(host.Ask("GA?", 300), "<none>");
    ASSERT_TRUE(host.SetBaud(115200));
    EXPECT_EQ(host.Ask("CBDRT=16"), "COMPLETE");  // the host's confirmation at the new rate
    EXPECT_EQ(host.Ask("CBDRT?"), "CBDRT=16");
}

TEST(RvsimPty, HostThatClosesAndReopensIsServedAgain) {
    SimOptions options;
    options.pacing = false;
    ServedCamera camera(options);
    for (int round = 0; round < 3; ++round) {
        HostPort host;
        ASSERT_TRUE(camera.Connect(host, 9600));
        EXPECT_EQ(host.Ask("GA?"), "GA=100") << "round " << round;
    }
}

TEST(RvsimPty, AHostKilledWhileHoldingThePortForItselfLeavesItFreeForTheNext) {
    SimOptions options;
    ServedCamera camera(options);
    const std::string& path = camera.DevicePath();
    const int host = open(path.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(host, 0);
    ASSERT_EQ(ioctl(host, TIOCEXCL), 0);
    close(host);  // without TIOCNXCL, as when the host is killed
    // Root may open a terminal held for exclusive use and ask; anyone else is refused.
    const auto exclusive = [&] {
        const int probe = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (probe < 0) {
            return errno == EBUSY;
        }
        int flag = 0;
        const bool held = ioctl(probe, TIOCGEXCL, &flag) == 0 && flag != 0;
        close(probe);
        return held;
    };
    EXPECT_TRUE(WaitUntil([&] { return !exclusive(); }, std::chrono::milliseconds(2000)));
}

TEST(RvsimPty, DelayHoldsEachAnswerBack) {
    SimOptions options;
    options.pacing = false;
    options.delayMs = 200;
    ServedCamera camera(options);
    HostPort host;
    ASSERT_TRUE(camera.Connect(host, 9600));
    const Clock::time_point sent = Clock::now();
    EXPECT_EQ(host.Ask("GA?"), "GA=100");
    EXPECT_GE(Milliseconds(Clock::now() - sent), 190.0);
}

TEST(RvsimPty, TranscriptHasEveryLineInOrderWithRisingTimes) {
    TemporaryFolder folder;
    SimOptions options;
    options.transcriptPath = folder.File("transcript.txt");
    {
        ServedCamera camera(options);
        HostPort host;
        ASSERT_TRUE(camera.Connect(host, 9600));
        EXPECT_EQ(host.Ask("GA=400"), "COMPLETE");
        EXPECT_EQ(host.Ask("GA?"), "GA=400");
    }
    std::istringstream lines(ReadFile(options.transcriptPath));
    std::vector<std::string> exchanged;
    double previous = -1;
    std::string line;
    while (std::getline(lines, line)) {
        double seconds = 0;
        char tag[8] = {};
        int offset = 0;
        ASSERT_EQ(std::sscanf(line.c_str(), "%lf %7s %n", &seconds, tag, &offset), 2) << line;
        EXPECT_GE(seconds, previous) << line;
        previous = seconds;
        if (std::string(tag) != "note") {
            exchanged.push_back(std::string(tag) + " " + line.substr(offset));
        }
    }
    EXPECT_EQ(exchanged, (std::vector<std::string>{"recv GA=400", "sent COMPLETE", "recv GA?",
                                                   "sent GA=400"}));
}

TEST(RvsimDevice, ExistingSerialDeviceIsServedAndFollowsTheRateSwitch) {
    // One end of a pseudo terminal pair stands in for a serial device; the test is the host
    // wired to it through the other end.
    const int wire = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(wire, 0);
    ASSERT_EQ(grantpt(wire), 0);
    ASSERT_EQ(unlockpt(wire), 0);
    SimOptions options;
    options.device = ptsname(wire);
    options.pacing = false;
    std::string answers;
    {
        ServedCamera camera(options);
        ASSERT_EQ(write(wire, "MD?\r\nCBDRT=8\r\n", 15), 15);
        const Clock::time_point deadline = Clock::now() + std::chrono::seconds(2);
        while (answers.find("COMPLETE\r\n") == std::string::npos && Clock::now() < deadline) {
            pollfd ready{wire, POLLIN, 0};
            char buffer[64];
            if (poll(&ready, 1, 50) > 0) {
                const ssize_t n = read(wire, buffer, sizeof buffer);
                answers.append(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        termios line{};
        ASSERT_EQ(tcgetattr(wire, &line), 0);  // the device's settings, seen from the wire
        EXPECT_EQ(cfgetospeed(&line), static_cast<speed_t>(B57600));
    }
    EXPECT_EQ(answers, "MD=RV-2410M-TCL\r\nCOMPLETE\r\n");
    close(wire);
}

}  // namespace
