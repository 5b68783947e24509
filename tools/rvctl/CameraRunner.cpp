#include "tools/rvctl/CameraRunner.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "controls/ControlTable.h"
#include "core/ControlMode.h"
#include "core/ProcessContext.h"
#include "operations/CameraConnection.h"
#include "operations/CameraSearch.h"
#include "tools/rvctl/CameraOutput.h"
#include "tools/rvctl/Console.h"
#include "tools/rvctl/Options.h"
#include "tools/rvctl/Subcommand.h"
#include "tools/rvctl/TerminalServices.h"
#include "tools/rvctl/TraceLog.h"
#include "transport/CameraPort.h"

namespace {

using Clock = std::chrono::steady_clock;

// A camera answers well within this; a line quiet for so long carries no reply any more.
constexpr std::chrono::milliseconds kQuietLine(150);
// A line that never goes quiet is not waited for beyond this.
constexpr std::chrono::milliseconds kLongestDrain(1000);

// A run that was killed can leave its last request's reply on its way; read before this run's
// first request, it would be taken for the answer and set off a rate search.
void DrainLine(CameraPort& port) {
    const Clock::time_point end = Clock::now() + kLongestDrain;
    char discarded[256];
    for (;;) {
        const Clock::time_point quietUntil = std::min(Clock::now() + kQuietLine, end);
        if (port.Read(discarded, static_cast<int32_t>(sizeof discarded), quietUntil) == 0 ||
            Clock::now() >= end) {
            return;
        }
    }
}

// The rates a camera was looked for at, as the message of a camera that did not answer says.
std::string RatesTried(const Options& options) {
    if (options.baud == BaudChoice::Fixed) {
        return "at " + std::to_string(options.baudRate) + " bit/s";
    }
    return "at any rate from 9600 to 115200 bit/s";
}

CameraSearch::Rates SearchRates(BaudChoice choice) {
    switch (choice) {
        case BaudChoice::Fixed:
            return CameraSearch::Rates::Given;
        case BaudChoice::Search:
            return CameraSearch::Rates::Search;
        default:
            return CameraSearch::Rates::GivenThenSearch;
    }
}

const char kNotOpened[] = "the port did not open";

// Makes the link the subcommand needs. Empty when there is a camera to work with, else why
// not, as stderr and a JSON record both tell it.
std::string ReachCamera(ProcessContext& context, const CameraRun& run, const PortTarget& target) {
    CameraPort& port = context.Get<CameraPort>();
    port.SetCategory(target.category);
    const bool searchRates =
        run.subcommand.link == Link::Answered || run.options.baud == BaudChoice::Search;
    // A COM-category port is found by its name in this run's list, wherever it stands there.
    const int32_t portIndex =
        target.category == kComCategory ? port.PortIndexOf(target.Name()) : target.portIndex;
    if (!port.Open(target.category, run.options.baudRate, portIndex)) {
        if (target.category != kComCategory) {
            // A COM port's driver said why already; a Camera Link library is told as the
            // window tells it: which files and folders were tried.
            CameraConnection::ReportOpenFailure(context);
        }
        return kNotOpened;
    }
    DrainLine(port);
    if (!searchRates) {
        // The terminal talks to whatever is there, at the rate it was told.
        return std::string();
    }
    std::vector<CameraSearch::Attempt> attempts;
    const std::optional<CameraSearch::Found> found = CameraSearch::Search(
        context, {portIndex}, run.options.baudRate, SearchRates(run.options.baud), &attempts);
    if (!found) {
        const bool opened = !attempts.empty() && attempts.front().opened;
        if (!opened && target.category != kComCategory) {
            // A COM port's driver said why already; a Camera Link library is told as the
            // window tells it: which files and folders were tried.
            CameraConnection::ReportOpenFailure(context);
        }
        return opened ? "no camera answered " + RatesTried(run.options) : kNotOpened;
    }
    return std::string();
}

ExitStatus RunCamera(const CameraRun& run, const PortTarget& target, CameraOutput& output) {
    const bool shared = run.targets.size() > 1;
    TerminalServices services(output, run.options, run.searching, run.progressBar && !shared);
    ExitStatus status = kSuccess;
    try {
        ProcessContext context;
        // The program read the window's link once; each camera gets its own, in the run's mode.
        services.Provide(context, TerminalServices::Settings::None);
        context.Get<ControlMode>().Set(run.controlMode);
        Camera camera{context, target,           run.options,     run.controlMode,
                      output,  services.Trace(), services.Files()};
        // -v names the rate of every request, so that a rate search can be followed.
        const TraceLog::RateShown rate(services.Trace(), context.Get<CameraPort>());
        if (const std::string failure = ReachCamera(context, run, target); !failure.empty()) {
            status = kNoCamera;
            // A search passes over the ports without a camera quietly.
            if (!run.searching) {
                output.Error(failure);
            }
        } else {
            status = run.subcommand.run(camera);
        }
    } catch (const std::exception& error) {
        output.Error(std::string("stopped: ") + error.what());
        status = kFailed;
    }
    if (services.Notifier().RefusedAQuestion()) {
        status = Worse(status, kUsage);
    }
    return status;
}

}  // namespace

ExitStatus RunOnCameras(const CameraRun& run, Console& console) {
    std::vector<ExitStatus> statuses(run.targets.size(), kSuccess);
    std::vector<std::unique_ptr<CameraOutput>> outputs;
    for (const PortTarget& target : run.targets) {
        outputs.push_back(std::make_unique<CameraOutput>(console, target.Name(), run.options.json,
                                                         run.targets.size() > 1));
    }
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < run.targets.size(); ++i) {
        threads.emplace_back([&run, &outputs, &statuses, i] {
            statuses[i] = RunCamera(run, run.targets[i], *outputs[i]);
        });
    }
    // Each camera's results go out once it and every camera named before it are done, so that
    // they come in the order the ports were named however quick each camera is.
    for (std::size_t i = 0; i < threads.size(); ++i) {
        threads[i].join();
        outputs[i]->Flush();
    }
    // A search expects most ports to have no camera; it fails only when none had one.
    bool anyCamera = false;
    ExitStatus worst = kSuccess;
    for (const ExitStatus status : statuses) {
        if (run.searching && status == kNoCamera) {
            continue;
        }
        anyCamera = true;
        worst = Worse(worst, status);
    }
    return run.searching && !anyCamera ? kNoCamera : worst;
}
