// Recomputing a channel's table from its edit points, as every point moved in the LUT editor
// does, with 2, 8 and 16 points on a gamma curve; the median of the runs' processor time, which a
// busy machine disturbs less than the time on the clock:
//   lut_recompute_bench [runs]
#include <time.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/BenchSupport.h"
#include "files/LutChannel.h"

namespace {

double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// A channel in Edit Mode with count points on a gamma 0.45 curve, spaced as Convert Editable
// spaces them.
LutChannel GammaChannel(int count) {
    LutChannel channel(1);
    for (int i = 0; i < LutChannel::kEntries; ++i) {
        const double input = static_cast<double>(i) / (LutChannel::kEntries - 1);
        channel.SetOutputLevel(i, static_cast<uint32_t>(std::pow(input, 0.45) * 4095.0));
    }
    channel.ConvertEditable(count);
    return channel;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 200;
    for (const int count : {2, 8, 16}) {
        LutChannel channel = GammaChannel(count);
        std::vector<double> times;
        for (int run = 0; run < runs; ++run) {
            const double start = ThreadSeconds();
            channel.RecomputeTable();
            times.push_back(ThreadSeconds() - start);
        }
        std::printf("%2d points: median %.3f ms over %d runs (entry 64 -> %u)\n", count,
                    Median(times) * 1000, runs, channel.OutputLevel(64));
    }
    return 0;
}
