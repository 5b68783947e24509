// rvctl as a production line runs it, against simulated cameras paced at line speed:
//   rvctl_bench <path to rvsim> <path to rvctl> [runs] [dump|lut]
// `rvctl dump` and `rvctl lut read` on 1, 8 and 16 cameras at once at 115200 bit/s, each beside
// plain clients that send the same requests to as many simulators at once, one thread each,
// every request as soon as the previous reply line is in (the wire's own pace). On a machine
// with few cores the simulators themselves slow down as they multiply; the plain clients show by
// how much. Each figure is the median of the runs, rvctl's whole process included; "x one" is a
// run against the same program's run on one camera in the same round, and "against plain" is
// rvctl's "x one" divided by the plain clients'. The processor times are the client side's
// (rvctl's process, or the plain clients' threads) and the simulators'.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench/BenchSupport.h"
#include "controls/ControlDefinition.h"
#include "protocol/CommandTable.h"

namespace {

constexpr int kBaud = 115200;

std::vector<std::unique_ptr<Simulator>> StartSimulators(const std::string& rvsim, int count) {
    std::vector<std::unique_ptr<Simulator>> sims;
    for (int i = 0; i < count; ++i) {
        sims.push_back(std::make_unique<Simulator>(rvsim, kBaud));
    }
    return sims;
}

double SimulatorSeconds(const std::vector<const Simulator*>& sims) {
    double seconds = 0;
    for (const auto& sim : sims) {
        seconds += sim->ProcessorSeconds();
    }
    return seconds;
}

// One run's seconds, and the processor time of the client side and of the simulators.
struct Run {
    double seconds = 0;
    double clientCpu = 0;
    double simulatorCpu = 0;
};

// rvctl on the simulators as COM1, COM2, ... once; {run} in an argument becomes the run's number,
// so that each run writes files of its own and none asks to replace another's.
Run TimeRvctl(const std::string& rvctl, const std::vector<const Simulator*>& sims,
              const std::vector<std::string>& command, int run, const std::string& scratch) {
    std::vector<std::string> environment = {"RVTOOL_SETTINGS=" + scratch + "/settings.ini"};
    std::string ports;
    for (std::size_t i = 0; i < sims.size(); ++i) {
        environment.push_back("RVTOOL_COM" + std::to_string(i + 1) + "=" + sims[i]->Device());
        ports += (i == 0 ? "COM" : ",COM") + std::to_string(i + 1);
    }
    std::vector<std::string> arguments = {rvctl, "--port", ports, "--baud", std::to_string(kBaud)};
    for (std::string argument : command) {
        const std::size_t at = argument.find("{run}");
        if (at != std::string::npos) {
            argument.replace(at, 5, std::to_string(run));
        }
        arguments.push_back(argument);
    }
    Run result;
    const double simulatorsBefore = SimulatorSeconds(sims);
    result.seconds =
        Seconds([&] { return RunProgram(arguments, environment, "/dev/null", &result.clientCpu); });
    result.simulatorCpu = SimulatorSeconds(sims) - simulatorsBefore;
    return result;
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

// What a LUT read asks: the model to find the camera, then each entry's index and level.
std::vector<std::string> LutRequests() {
    std::vector<std::string> requests = {"MD?\r\n"};
    for (int i = 0; i < 256; ++i) {
        requests.push_back("LUTI=" + std::to_string(i) + "\r\n");
        requests.push_back("LUTD?\r\n");
    }
    return requests;
}

// Plain clients asking the requests of every simulator at once, once.
Run TimePlain(const std::vector<const Simulator*>& sims, const std::vector<std::string>& requests) {
    Run result;
    const double simulatorsBefore = SimulatorSeconds(sims);
    const double ownBefore = OwnProcessorSeconds();
    result.seconds = Seconds([&] {
        std::vector<std::thread> clients;
        std::atomic<bool> failed{false};
        for (const auto& sim : sims) {
            clients.emplace_back([&requests, &failed, device = sim->Device()] {
                PlainClient client(device, kBaud);
                for (const std::string& request : requests) {
                    if (!client.Ask(request)) {
                        failed = true;
                        return;
                    }
                }
            });
        }
        for (std::thread& client : clients) {
            client.join();
        }
        return !failed;
    });
    result.clientCpu = OwnProcessorSeconds() - ownBefore;
    result.simulatorCpu = SimulatorSeconds(sims) - simulatorsBefore;
    return result;
}

struct Case {
    const char* name;
    std::vector<std::string> command;  // rvctl's subcommand; {cameras}-{run}-{port} name files
    std::vector<std::string> requests;
};

// The runs go round the camera counts, each count's plain clients then rvctl, so that a change
// of the machine's load in the meantime falls on every count alike; the ratios are taken within
// each round and their median shown.
void RunCase(const Case& what, const std::vector<std::unique_ptr<Simulator>>& all, int runs,
             const std::string& rvctl, const std::string& scratch) {
    const int counts[] = {1, 8, 16};
    std::vector<Run> toolRuns[3];
    std::vector<Run> plainRuns[3];
    for (int run = 0; run < runs; ++run) {
        for (int c = 0; c < 3; ++c) {
            std::vector<const Simulator*> sims;
            for (int i = 0; i < counts[c]; ++i) {
                sims.push_back(all[static_cast<std::size_t>(i)].get());
            }
            std::vector<std::string> command = what.command;
            for (std::string& argument : command) {
                const std::size_t at = argument.find("{cameras}");
                if (at != std::string::npos) {
                    argument.replace(at, 9, std::to_string(counts[c]));
                }
            }
            plainRuns[c].push_back(TimePlain(sims, what.requests));
            toolRuns[c].push_back(TimeRvctl(rvctl, sims, command, run, scratch));
        }
    }
    const auto median = [](const std::vector<Run>& runs, double Run::*field) {
        std::vector<double> values;
        for (const Run& run : runs) {
            values.push_back(run.*field);
        }
        return Median(values);
    };
    for (int c = 0; c < 3; ++c) {
        std::vector<double> toolRatios;
        std::vector<double> plainRatios;
        std::vector<double> against;
        for (int run = 0; run < runs; ++run) {
            const auto r = static_cast<std::size_t>(run);
            toolRatios.push_back(toolRuns[c][r].seconds / toolRuns[0][r].seconds);
            plainRatios.push_back(plainRuns[c][r].seconds / plainRuns[0][r].seconds);
            against.push_back(toolRatios.back() / plainRatios.back());
        }
        const std::string label = std::string(what.name) + " of " + std::to_string(counts[c]);
        std::printf(
            "%-16s rvctl %7.1f ms (%.2f x one)  plain %7.1f ms (%.2f x one)  against plain "
            "%.2f\n",
            label.c_str(), 1000 * median(toolRuns[c], &Run::seconds), Median(toolRatios),
            1000 * median(plainRuns[c], &Run::seconds), Median(plainRatios), Median(against));
        std::printf(
            "%-16s processor: rvctl %.0f ms + simulators %.0f ms;  plain %.0f ms + "
            "simulators %.0f ms\n",
            "", 1000 * median(toolRuns[c], &Run::clientCpu),
            1000 * median(toolRuns[c], &Run::simulatorCpu),
            1000 * median(plainRuns[c], &Run::clientCpu),
            1000 * median(plainRuns[c], &Run::simulatorCpu));
    }
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <rvsim> <rvctl> [runs] [dump|lut]\n", argv[0]);
        return 2;
    }
    const std::string rvsim = argv[1];
    const std::string rvctl = argv[2];
    const int runs = argc > 3 ? std::atoi(argv[3]) : 5;
    const char* only = argc > 4 ? argv[4] : "";
    char scratchTemplate[] = "/tmp/rvctl-bench-XXXXXX";
    const std::string scratch = mkdtemp(scratchTemplate);

    const Case cases[] = {
        {"dump", {"dump", "-o", scratch + "/{cameras}-{run}-{port}.cam"}, DumpRequests()},
        {"lut read", {"lut", "read", "-o", scratch + "/{cameras}-{run}-{port}.csv"}, LutRequests()},
    };
    const std::vector<std::unique_ptr<Simulator>> sims = StartSimulators(rvsim, 16);
    std::printf("at %d bit/s, median of %d runs\n", kBaud, runs);
    for (const Case& what : cases) {
        if (*only == '\0' || std::strncmp(what.name, only, std::strlen(only)) == 0) {
            RunCase(what, sims, runs, rvctl, scratch);
        }
    }
    const std::string cleanup = "rm -rf '" + scratch + "'";
    return std::system(cleanup.c_str()) == 0 ? 0 : 1;
}
