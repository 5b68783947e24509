// Per-request latency and request rate of the command engine against the simulated camera.
//   command_engine_bench <path to rvsim> [requests] [baud]
// Starts rvsim (with pacing) on a pseudo terminal, connects at the given rate (115200 by
// default) and times GA? queries and GA= sets, side by side with the floor of a request: the
// engine's first 20 ms sleep, or the time the request and its reply spend on the wire when
// that is longer (the reply arrives while the engine sleeps).
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "operations/CoreServices.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "transport/CameraPort.h"

namespace {

class PrintingNotifier : public Notifier {
public:
    MessageAnswer Show(const MessageRequest& request) override {
        std::fprintf(stderr, "message: %s\n", request.text.c_str());
        return MessageAnswer::Ok;
    }
};

struct Simulator {
    pid_t pid = -1;
    std::string device;
};

Simulator StartSimulator(const std::string& rvsim, int baud) {
    int out[2];
    if (pipe(out) != 0) {
        std::exit(1);
    }
    Simulator sim;
    sim.pid = fork();
    if (sim.pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        const std::string rate = std::to_string(baud);
        execl(rvsim.c_str(), rvsim.c_str(), "--baud", rate.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    char c = 0;
    while (read(out[0], &c, 1) == 1 && c != '\n') {
        sim.device += c;
    }
    return sim;
}

void Report(const char* what, std::vector<double> ms, double floorMs) {
    std::sort(ms.begin(), ms.end());
    double total = 0;
    for (double m : ms) {
        total += m;
    }
    const double mean = total / static_cast<double>(ms.size());
    std::printf(
        "%-10s n=%zu  mean %.2f ms  median %.2f ms  p95 %.2f ms  max %.2f ms  "
        "%.1f requests/s  floor %.2f ms\n",
        what, ms.size(), mean, ms[ms.size() / 2], ms[ms.size() * 95 / 100], ms.back(),
        1000.0 / mean, floorMs);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <rvsim> [requests] [baud]\n", argv[0]);
        return 2;
    }
    const int requests = argc > 2 ? std::atoi(argv[2]) : 200;
    const int baud = argc > 3 ? std::atoi(argv[3]) : 115200;
    Simulator sim = StartSimulator(argv[1], baud);
    setenv("RVTOOL_COM1", sim.device.c_str(), 1);
    setenv("RVTOOL_SETTINGS", "/dev/null/none", 1);  // nothing of this run is kept

    int status = 0;
    {
        ProcessContext context;
        ProvideCoreServices(context);
        context.Provide<Notifier>(
            [](ProcessContext&) { return std::make_unique<PrintingNotifier>(); });
        if (!context.Get<CameraPort>().Open(kComCategory, baud, 0)) {
            std::fprintf(stderr, "cannot open %s\n", sim.device.c_str());
            status = 1;
        } else {
            Command& engine = context.Get<Command>();
            const int ga = CommandTable::IdOf("GA");
            std::vector<double> queries, sets;
            for (int i = 0; i < requests; ++i) {
                int32_t value = 0;
                auto start = std::chrono::steady_clock::now();
                status |= engine.GetValue(ga, value, 1000) ? 0 : 1;
                queries.push_back(std::chrono::duration<double, std::milli>(
                                      std::chrono::steady_clock::now() - start)
                                      .count());
                start = std::chrono::steady_clock::now();
                status |= engine.SetValue(ga, 100 + i % 1000, 1000) ? 0 : 1;
                sets.push_back(std::chrono::duration<double, std::milli>(
                                   std::chrono::steady_clock::now() - start)
                                   .count());
            }
            // 10 bits a byte: "GA?\r\n" + "GA=100\r\n", and "GA=1xx\r\n" + "COMPLETE\r\n".
            const double bitMs = 1000.0 * 10 / baud;
            std::printf("baud %d, %d requests each\n", baud, requests);
            Report("GA?", queries, std::max(20.0, (5 + 8) * bitMs));
            Report("GA=n", sets, std::max(20.0, (8 + 10) * bitMs));
        }
    }
    kill(sim.pid, SIGTERM);
    waitpid(sim.pid, nullptr, 0);
    return status;
}
