// The serial transport over a pseudo terminal, run by hand:
//   transport_bench [round trips] [idle seconds]
// 1. Round trip of a 10-byte line: CameraPort Write, an echoing peer on the master side, and
//    CameraPort Read with count 1 and time-out 10 ms until the line end is back.
// 2. Processor time of an open, idle port polled as the command engine polls it: Read with
//    count 1 and time-out 10 ms, then 20 ms of sleep after an empty poll. For comparison the
//    same loop with a reader that asks the ring again and again until its time-out passes.
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "transport/CameraPort.h"
#include "transport/ComPortDriver.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

class PrintingNotifier : public Notifier {
public:
    MessageAnswer Present(const MessageRequest& request) override {
        std::fprintf(stderr, "message: %s\n", request.text.c_str());
        return MessageAnswer::Ok;
    }
};

double ProcessCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// The camera's side: sends every complete line straight back.
void Echo(int master, const std::atomic<bool>& running) {
    std::string line;
    while (running.load()) {
        pollfd input = {master, POLLIN, 0};
        if (poll(&input, 1, 50) <= 0) {
            continue;
        }
        char chunk[256];
        const ssize_t got = read(master, chunk, sizeof chunk);
        for (ssize_t i = 0; i < got; ++i) {
            line += chunk[i];
            if (chunk[i] == '\n') {
                if (write(master, line.data(), line.size()) != static_cast<ssize_t>(line.size())) {
                    return;
                }
                line.clear();
            }
        }
    }
}

double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const std::size_t index = static_cast<std::size_t>(fraction * (values.size() - 1) + 0.5);
    return values[index];
}

void RoundTrips(CameraPort& port, int count) {
    const std::string line = "RT012345\r\n";  // 10 bytes
    std::vector<double> micros;
    int lost = 0;
    for (int i = 0; i < count; ++i) {
        const Clock::time_point start = Clock::now();
        port.Write(line);
        std::string reply;
        while (reply.empty() || reply.back() != '\n') {
            char byte = 0;
            if (port.Read(&byte, 1, 10) == 1) {
                reply += byte;
            } else if (Clock::now() - start > milliseconds(1000)) {
                break;
            }
        }
        if (reply != line) {
            ++lost;
            continue;
        }
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    if (micros.empty()) {
        std::printf("round trip: no reply came back\n");
        return;
    }
    std::printf("round trip of a 10-byte line, %zu trips (%d lost):\n", micros.size(), lost);
    std::printf("  min %.0f us, median %.0f us, p99 %.0f us, max %.0f us\n",
                Percentile(micros, 0.0), Percentile(micros, 0.5), Percentile(micros, 0.99),
                Percentile(micros, 1.0));
}

// Polls like the engine for the given time; returns the processor time used in ms.
template <class ReadOne>
double IdlePolling(double seconds, ReadOne readOne) {
    const double cpuBefore = ProcessCpuMs();
    const Clock::time_point end = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                                     std::chrono::duration<double>(seconds));
    while (Clock::now() < end) {
        char byte = 0;
        if (readOne(&byte) == 0) {
            std::this_thread::sleep_for(milliseconds(20));
        }
    }
    return ProcessCpuMs() - cpuBefore;
}

}  // namespace

int main(int argc, char** argv) {
    const int trips = argc > 1 ? std::atoi(argv[1]) : 2000;
    const double idleSeconds = argc > 2 ? std::atof(argv[2]) : 5.0;

    char settings[] = "/tmp/transport-bench-XXXXXX";
    const int settingsFile = mkstemp(settings);
    if (settingsFile >= 0) {
        close(settingsFile);
    }
    setenv("RVTOOL_SETTINGS", settings, 1);  // keeps the user's settings untouched

    int master = -1;
    int slave = -1;
    char device[256] = {};
    if (openpty(&master, &slave, device, nullptr, nullptr) != 0) {
        std::perror("openpty");
        return 1;
    }
    setenv("RVTOOL_COM1", device, 1);

    int status = 0;
    {
        ProcessContext context;
        PrintingNotifier notifier;
        context.ProvideExternal<Notifier>(notifier);
        CameraPort& port = context.Get<CameraPort>();
        if (!port.Open(kComCategory, 115200, 0)) {
            status = 1;
        } else {
            std::atomic<bool> running{true};
            std::thread peer(Echo, master, std::cref(running));
            RoundTrips(port, trips);
            running.store(false);
            peer.join();

            const double waiting =
                IdlePolling(idleSeconds, [&](char* byte) { return port.Read(byte, 1, 10); });
            ComPortDriver& driver = context.Get<ComPortDriver>();
            const double spinning = IdlePolling(idleSeconds, [&](char* byte) {
                // The reader that asks the ring again and again until its time-out passes.
                const Clock::time_point deadline = Clock::now() + milliseconds(10);
                int32_t got = 0;
                while (got == 0 && Clock::now() < deadline) {
                    got = driver.Read(byte, 1);
                }
                return got;
            });
            std::printf("idle open port polled as the engine polls it, %.1f s:\n", idleSeconds);
            std::printf("  waiting Read:  %.1f ms processor time (%.2f %% of one core)\n", waiting,
                        waiting / (idleSeconds * 10.0));
            std::printf("  spinning Read: %.1f ms processor time (%.2f %% of one core)\n", spinning,
                        spinning / (idleSeconds * 10.0));
        }
    }
    close(master);
    close(slave);
    unlink(settings);
    return status;
}
