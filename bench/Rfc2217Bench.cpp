// A LUT-sized exchange over RFC 2217: ser2net on loopback in front of the simulated camera at
// 115200 bit/s (paced at line speed), its line starting at 9600 so that each client must set
// the rate. The COM port driver's client beside pyserial's rfc2217:// client, each sending the
// same 512 requests (256 LUTI sets and 256 LUTD queries), each as soon as the previous reply
// line is in; the runs alternate between the two, and each times its exchange only, from the
// open port to the last reply:
//   rfc2217_bench <path to rvsim> [runs]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "tests/support/Ser2net.h"
#include "transport/ComPortDriver.h"

namespace {

constexpr int kBaud = 115200;
constexpr int kPairs = 256;
const char* const kPython = "/usr/bin/python3";  // Debian's, with python3-serial

class PrintingNotifier : public Notifier {
public:
    MessageAnswer Present(const MessageRequest& request) override {
        std::fprintf(stderr, "message: %s\n", request.text.c_str());
        return MessageAnswer::Ok;
    }
};

bool AskDriver(ComPortDriver& driver, const std::string& request) {
    if (!driver.Write(request.data(), static_cast<int32_t>(request.size()))) {
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    for (;;) {
        char byte = 0;
        if (driver.Read(&byte, 1) == 1) {
            if (byte == '\n') {
                return true;
            }
        } else if (!driver.WaitForData(deadline)) {
            return false;
        }
    }
}

// One run of the driver's client, the port opened afresh as a program would.
double TimeDriver(const std::string& portName) {
    PrintingNotifier notifier;
    ProcessContext context;
    context.ProvideExternal<Notifier>(notifier);
    ComPortDriver& driver = context.Get<ComPortDriver>();
    if (!driver.Open(portName, kBaud, 8, 0, 0, 0)) {
        std::exit(1);
    }
    return Seconds([&] {
        for (int i = 0; i < kPairs; ++i) {
            if (!AskDriver(driver, "LUTI=" + std::to_string(i) + "\r\n") ||
                !AskDriver(driver, "LUTD?\r\n")) {
                return false;
            }
        }
        return true;
    });
}

// One run of pyserial's client in a Python process of its own; the seconds it printed.
double TimePyserial(const std::string& portName, const std::string& scratch) {
    const std::string script = scratch + "/client.py";
    const std::string output = scratch + "/seconds";
    FILE* file = std::fopen(script.c_str(), "w");
    if (file == nullptr) {
        std::exit(1);
    }
    // ser2net answers no SET-CONTROL for DTR on a line without modem lines: pyserial is told
    // not to wait for that answer.
    std::fprintf(file,
                 "import sys, time, serial\n"
                 "port = serial.serial_for_url('%s?ign_set_control', baudrate=%d, timeout=2)\n"
                 "start = time.monotonic()\n"
                 "for i in range(%d):\n"
                 "    for request in (b'LUTI=%%d\\r\\n' %% i, b'LUTD?\\r\\n'):\n"
                 "        port.write(request)\n"
                 "        if not port.readline().endswith(b'\\n'):\n"
                 "            sys.exit(1)\n"
                 "print(time.monotonic() - start)\n"
                 "port.close()\n",
                 portName.c_str(), kBaud, kPairs);
    std::fclose(file);
    if (!RunProgram({kPython, script}, {}, output)) {
        std::fprintf(stderr, "pyserial's client failed\n");
        std::exit(1);
    }
    FILE* result = std::fopen(output.c_str(), "r");
    double seconds = 0;
    if (result == nullptr || std::fscanf(result, "%lf", &seconds) != 1) {
        std::exit(1);
    }
    std::fclose(result);
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <rvsim> [runs]\n", argv[0]);
        return 2;
    }
    if (!Ser2net::Installed()) {
        std::fprintf(stderr, "ser2net is not installed\n");
        return 2;
    }
    const int runs = argc > 2 ? std::atoi(argv[2]) : 7;
    char scratchTemplate[] = "/tmp/rfc2217-bench-XXXXXX";
    const std::string scratch = mkdtemp(scratchTemplate);
    {
        Simulator camera(argv[1], kBaud);
        Ser2net server(scratch);
        if (!server.Start(camera.Device(), 9600, Ser2net::Accepter::Rfc2217)) {
            std::fprintf(stderr, "ser2net did not start\n");
            return 1;
        }
        std::vector<double> ours;
        std::vector<double> theirs;
        std::vector<double> ratios;
        for (int run = 0; run < runs; ++run) {
            ours.push_back(TimeDriver(server.PortName()));
            theirs.push_back(TimePyserial(server.PortName(), scratch));
            ratios.push_back(ours.back() / theirs.back());
            std::printf("run %d: driver %.1f ms, pyserial %.1f ms\n", run + 1, 1000 * ours.back(),
                        1000 * theirs.back());
        }
        std::printf("%-34s driver %8.1f ms  pyserial %8.1f ms  median ratio %.3f  (%d runs)\n",
                    "LUT exchange over RFC 2217 115200", 1000 * Median(ours), 1000 * Median(theirs),
                    Median(ratios), runs);
    }
    const std::string cleanup = "rm -rf '" + scratch + "'";
    return std::system(cleanup.c_str()) == 0 ? 0 : 1;
}
