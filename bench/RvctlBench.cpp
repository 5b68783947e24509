// rvctl as a production line runs it, against simulated cameras paced at line speed:
//   rvctl_bench <path to rvsim> <path to rvctl> [runs]
// - `rvctl lut read` at 115200 bit/s beside a plain client that sends each of the same 512
//   requests as soon as the previous reply line is in (the wire's own pace);
// - `rvctl dump` of 1, 4 and 8 cameras at once at 115200 bit/s, beside plain clients that send
//   the same requests to as many cameras at once, one thread each: on a machine with few cores
//   the simulators themselves slow down as they multiply, and the plain clients show by how much.
// Each figure is the median of the runs, rvctl's whole process included.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench/BenchSupport.h"
#include "controls/ControlDefinition.h"
#include "protocol/CommandTable.h"

namespace {

constexpr int kBaud = 115200;

// rvctl on the simulators as COM1, COM2, ...; the median seconds of the runs.
double TimeRvctl(const std::string& rvctl, const std::vector<std::unique_ptr<Simulator>>& sims,
                 const std::vector<std::string>& command, int runs, const std::string& scratch) {
    std::vector<std::string> environment = {"RVTOOL_SETTINGS=" + scratch + "/settings.ini"};
    std::string ports;
    for (std::size_t i = 0; i < sims.size(); ++i) {
        environment.push_back("RVTOOL_COM" + std::to_string(i + 1) + "=" + sims[i]->Device());
        ports += (i == 0 ? "COM" : ",COM") + std::to_string(i + 1);
    }
    std::vector<std::string> arguments = {rvctl, "--port", ports, "--baud", std::to_string(kBaud)};
    arguments.insert(arguments.end(), command.begin(), command.end());
    std::vector<double> seconds;
    for (int run = 0; run < runs; ++run) {
        // Each run writes files of its own, so that none asks to replace another's.
        std::vector<std::string> runArguments = arguments;
        for (std::string& argument : runArguments) {
            const std::size_t at = argument.find("{run}");
            if (at != std::string::npos) {
                argument.replace(at, 5, std::to_string(run));
            }
        }
        seconds.push_back(Seconds([&] { return RunProgram(runArguments, environment); }));
    }
    return Median(seconds);
}

std::vector<std::unique_ptr<Simulator>> StartSimulators(const std::string& rvsim, int count) {
    std::vector<std::unique_ptr<Simulator>> sims;
    for (int i = 0; i < count; ++i) {
        sims.push_back(std::make_unique<Simulator>(rvsim, kBaud));
    }
    return sims;
}

// What a dump in user mode asks: the model (once to find the camera, once to read it), every
// user row read back, and the device version.
std::vector<std::string> DumpRequests() {
    std::vector<std::string> requests = {"MD?\r\n", "MD?\r\n"};
    for (const ControlDefinition& row : ControlDefinitions::kRows) {
        if (row.readBack && row.paramClass == kUserParam) {
            requests.push_back(std::string(CommandTable::kCommands[row.cmdId].mnemonic) + "?\r\n");
        }
    }
    requests.push_back("DV?\r\n");
    return requests;
}

// Plain clients asking the dump's requests of every simulator at once; the median seconds.
double TimePlainDumps(const std::vector<std::unique_ptr<Simulator>>& sims, int runs) {
    const std::vector<std::string> requests = DumpRequests();
    std::vector<double> seconds;
    for (int run = 0; run < runs; ++run) {
        seconds.push_back(Seconds([&] {
            std::vector<std::thread> clients;
            std::atomic<bool> failed{false};
            for (const auto& sim : sims) {
                clients.emplace_back([&requests, &failed, device = sim->Device()] {
                    PlainClient client(device, kBaud);
                    for (const std::string& request : requests) {
                        if (!client.Ask(request)) {
                            failed = true;
                        }
                    }
                });
            }
            for (std::thread& client : clients) {
                client.join();
            }
            return !failed;
        }));
    }
    return Median(seconds);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <rvsim> <rvctl> [runs]\n", argv[0]);
        return 2;
    }
    const std::string rvsim = argv[1];
    const std::string rvctl = argv[2];
    const int runs = argc > 3 ? std::atoi(argv[3]) : 5;
    char scratchTemplate[] = "/tmp/rvctl-bench-XXXXXX";
    const std::string scratch = mkdtemp(scratchTemplate);

    {
        std::vector<std::unique_ptr<Simulator>> sims = StartSimulators(rvsim, 1);
        std::vector<double> plainRuns;
        for (int run = 0; run < runs; ++run) {
            PlainClient client(sims[0]->Device(), kBaud);
            plainRuns.push_back(Seconds([&] {
                for (int i = 0; i < 256; ++i) {
                    if (!client.Ask("LUTI=" + std::to_string(i) + "\r\n") ||
                        !client.Ask("LUTD?\r\n")) {
                        return false;
                    }
                }
                return true;
            }));
        }
        const double plain = Median(plainRuns);
        const double tool =
            TimeRvctl(rvctl, sims, {"lut", "read", "-o", scratch + "/lut{run}.csv"}, runs, scratch);
        std::printf("%-30s rvctl %8.1f ms  plain %8.1f ms  ratio %.2f\n", "lut read at 115200",
                    1000 * tool, 1000 * plain, tool / plain);
    }

    double one = 0;
    double plainOne = 0;
    for (int cameras : {1, 4, 8}) {
        std::vector<std::unique_ptr<Simulator>> sims = StartSimulators(rvsim, cameras);
        const double plain = TimePlainDumps(sims, runs);
        const double tool =
            TimeRvctl(rvctl, sims,
                      {"dump", "-o", scratch + "/" + std::to_string(cameras) + "-{run}-{port}.cam"},
                      runs, scratch);
        if (cameras == 1) {
            one = tool;
            plainOne = plain;
        }
        const std::string what = "dump of " + std::to_string(cameras) + " at 115200";
        std::printf("%-30s rvctl %8.1f ms (%.2f x one)  plain %8.1f ms (%.2f x one)\n",
                    what.c_str(), 1000 * tool, tool / one, 1000 * plain, plain / plainOne);
    }
    const std::string cleanup = "rm -rf '" + scratch + "'";
    return std::system(cleanup.c_str()) == 0 ? 0 : 1;
}
