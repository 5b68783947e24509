// How long the windows go without a chance to repaint while a calibration is followed, against
// a simulated camera that reports busy for three seconds (paced at line speed):
//   calibration_repaint_bench <path to rvsim> [runs]
// Every chance the flow gives the windows to paint (the wait feedback's KeepAlive) is stamped;
// the figure is the longest gap between two, beside the wire time of one status question.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "core/ProcessContext.h"
#include "core/WaitFeedback.h"
#include "operations/Calibration.h"
#include "operations/CoreServices.h"
#include "transport/CameraPort.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kBaud = 9600;

class StampingFeedback : public WaitFeedback {
public:
    void BeginWait() override { Stamp(); }
    void KeepAlive() override { Stamp(); }
    void EndWait() override { Stamp(); }
    double LongestGapMs() const { return longest_; }
    int Chances() const { return chances_; }

private:
    void Stamp() {
        const Clock::time_point now = Clock::now();
        if (chances_++ > 0) {
            longest_ =
                std::max(longest_, std::chrono::duration<double, std::milli>(now - last_).count());
        }
        last_ = now;
    }
    Clock::time_point last_;
    double longest_ = 0;
    int chances_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: calibration_repaint_bench <rvsim> [runs]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
    const Simulator sim(argv[1], kBaud);
    setenv("RVTOOL_COM1", sim.Device().c_str(), 1);

    PlainClient plain(sim.Device(), kBaud);
    std::vector<double> wire;
    for (int i = 0; i < 20; ++i) {
        wire.push_back(1000 * Seconds([&] { return plain.Ask("SDS?\r\n"); }));
    }
    const double wireMs = Median(wire);

    std::vector<double> gaps;
    for (int run = 0; run < runs; ++run) {
        ProcessContext context;
        ProvideCoreServices(context);
        StampingFeedback feedback;
        context.ProvideExternal<WaitFeedback>(feedback);
        if (!context.Get<CameraPort>().Open(kComCategory, kBaud, 0)) {
            return 1;
        }
        Calibration::Run(context, Calibration::Kind{}, nullptr);
        gaps.push_back(feedback.LongestGapMs());
        std::printf("run %d: %d chances to repaint, longest gap %.1f ms\n", run + 1,
                    feedback.Chances(), feedback.LongestGapMs());
    }
    const double gap = Median(gaps);
    std::printf(
        "longest gap between repaints %.1f ms (median of %d)  one status question on "
        "the wire %.1f ms  ratio %.2f  goal under 100 ms\n",
        gap, runs, wireMs, gap / wireMs);
    return 0;
}
