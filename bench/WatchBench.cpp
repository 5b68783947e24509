// rvctl watch of one value on 16 simulated cameras at once, paced at line speed:
//   watch_bench <path to rvsim> <path to rvctl> [samples]
// For each interval, the periods between each camera's samples as their time stamps tell them,
// as a ratio to the interval asked: the median and the worst over every camera, and how many
// periods lie within 10 % of the interval.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"

namespace {

constexpr int kBaud = 115200;
constexpr int kCameras = 16;

// Each port's sample times in milliseconds of the day, from lines "COMn <ISO 8601 stamp> ...".
std::map<std::string, std::vector<long>> Stamps(const std::string& path) {
    const std::regex line("(COM[0-9]+) [0-9-]+T([0-9]{2}):([0-9]{2}):([0-9]{2})\\.([0-9]{3}).*");
    std::map<std::string, std::vector<long>> stamps;
    std::ifstream file(path);
    for (std::string text; std::getline(file, text);) {
        std::smatch match;
        if (std::regex_match(text, match, line)) {
            stamps[match[1]].push_back(
                ((std::stol(match[2]) * 60 + std::stol(match[3])) * 60 + std::stol(match[4])) *
                    1000 +
                std::stol(match[5]));
        }
    }
    return stamps;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <rvsim> <rvctl> [samples]\n", argv[0]);
        return 2;
    }
    const std::string rvctl = argv[2];
    const int samples = argc > 3 ? std::atoi(argv[3]) : 50;
    char scratchTemplate[] = "/tmp/watch-bench-XXXXXX";
    const std::string scratch = mkdtemp(scratchTemplate);

    std::vector<std::unique_ptr<Simulator>> sims;
    std::vector<std::string> environment = {"RVTOOL_SETTINGS=" + scratch + "/settings.ini"};
    std::string ports;
    for (int i = 0; i < kCameras; ++i) {
        sims.push_back(std::make_unique<Simulator>(argv[1], kBaud));
        environment.push_back("RVTOOL_COM" + std::to_string(i + 1) + "=" + sims.back()->Device());
        ports += (i == 0 ? "COM" : ",COM") + std::to_string(i + 1);
    }
    int status = 0;
    for (const char* interval : {"0.5", "0.1", "0.05"}) {
        const std::string output = scratch + "/watch.txt";
        if (!RunProgram({rvctl, "--port", ports, "--baud", std::to_string(kBaud), "watch", "GA",
                         "--interval", interval, "--count", std::to_string(samples)},
                        environment, output)) {
            std::fprintf(stderr, "rvctl watch at %s s failed\n", interval);
            status = 1;
            continue;
        }
        const double asked = 1000 * std::atof(interval);
        std::vector<double> ratios;
        for (const auto& [port, times] : Stamps(output)) {
            for (std::size_t i = 1; i < times.size(); ++i) {
                ratios.push_back(
                    static_cast<double>((times[i] - times[i - 1] + 86400000) % 86400000) / asked);
            }
        }
        if (ratios.size() != static_cast<std::size_t>(kCameras * (samples - 1))) {
            std::fprintf(stderr, "rvctl watch at %s s: %zu periods, not %d\n", interval,
                         ratios.size(), kCameras * (samples - 1));
            status = 1;
        }
        const double worst = *std::max_element(ratios.begin(), ratios.end());
        const double best = *std::min_element(ratios.begin(), ratios.end());
        const long within = std::count_if(ratios.begin(), ratios.end(),
                                          [](double ratio) { return ratio > 0.9 && ratio < 1.1; });
        std::printf(
            "%d cameras at %5s s: period / interval median %.3f  best %.3f  worst %.3f  "
            "within 10 %%: %ld of %zu\n",
            kCameras, interval, Median(ratios), best, worst, within, ratios.size());
    }
    const std::string cleanup = "rm -rf '" + scratch + "'";
    return std::system(cleanup.c_str()) == 0 ? status : 1;
}
