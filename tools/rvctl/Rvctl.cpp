#include "tools/rvctl/Rvctl.h"

#include <algorithm>

#include "core/ControlMode.h"
#include "core/ProcessContext.h"
#include "core/Version.h"
#include "operations/CameraConnection.h"
#include "tools/rvctl/CameraOutput.h"
#include "tools/rvctl/CameraRunner.h"
#include "tools/rvctl/CompletionWords.h"
#include "tools/rvctl/Console.h"
#include "tools/rvctl/Interruption.h"
#include "tools/rvctl/Options.h"
#include "tools/rvctl/Record.h"
#include "tools/rvctl/Subcommands.h"
#include "tools/rvctl/TerminalServices.h"
#include "transport/CameraPort.h"

namespace {

const char kDefaultSubcommand[] = "ports";
constexpr int32_t kUserMode = 0;
constexpr int32_t kFactoryMode = 1;

// A script that asked for JSON gets its usage error as JSON too, on standard output like every
// other result: {"error": ..., "usage": true}.
void UsageRecord(Console& console, const std::string& text, bool json) {
    if (json) {
        console.WriteResults(Record("").Text("error", text).Flag("usage", true).Json());
    }
}

int UsageError(Console& console, const std::string& text, bool json) {
    console.WriteError("rvctl: " + text + "\nTry 'rvctl --help'.");
    UsageRecord(console, text, json);
    return kUsage;
}

// Whether --json stands among arguments that could not all be read.
bool AsksForJson(const std::vector<std::string>& args) {
    const auto end = std::find(args.begin(), args.end(), "--");
    return std::find(args.begin(), end, "--json") != end;
}

// A port of the category the camera port is set to, at a position of its list.
PortTarget Target(CameraPort& port, int32_t index) {
    const bool com = port.GetCategory() == kComCategory;
    return {port.GetCategory(), index, com ? port.GetPortName(index) : std::string()};
}

// The link the window stored, as its start-up would take it.
using Stored = PortTarget;

Stored ReadStored(ProcessContext& context) {
    CameraConnection::ApplyPreviousShutdown(context);
    CameraPort& port = context.Get<CameraPort>();
    return Target(port, port.GetPortIndex());
}

// The cameras of the run: those named, the window's link, or every port of a category for a
// search.
std::vector<PortTarget> Targets(const Options& options, const Subcommand& subcommand,
                                const Stored& stored, ProcessContext& context) {
    if (!options.ports.empty()) {
        return options.ports;
    }
    const int32_t category = options.category.value_or(stored.category);
    CameraPort& port = context.Get<CameraPort>();
    port.SetCategory(category);
    std::vector<PortTarget> targets;
    for (const int32_t index : options.portIndices) {
        targets.push_back(Target(port, index));
    }
    if (!targets.empty()) {
        return targets;
    }
    if (subcommand.searchesAllPorts) {
        for (int32_t index = 0; index < port.GetPortCount(); ++index) {
            targets.push_back(Target(port, index));
        }
        return targets;
    }
    return {Target(port, port.GetPortIndex())};
}

}  // namespace

namespace {

int Run(const std::vector<std::string>& args, Console& console, bool progressBar) {
    std::string error;
    const std::optional<Options> parsed = ParseOptions(args, error);
    if (!parsed) {
        return UsageError(console, error, AsksForJson(args));
    }
    const Options& options = *parsed;
    const std::string name = options.subcommand.empty() ? kDefaultSubcommand : options.subcommand;
    const Subcommand* subcommand = FindSubcommand(name);
    if (options.version) {
        console.WriteResults(std::string("rvctl ") + kProgramVersion);
        return kSuccess;
    }
    if (options.help && options.subcommand.empty()) {
        console.WriteResults(options.helpText);
        return kSuccess;
    }
    if (name == CompletionWords::kCommand) {
        for (const std::string& word :
             CompletionWords::For(options.operands.empty() ? std::string() : options.operands[0],
                                  options.controlMode.value_or(kUserMode))) {
            console.WriteResults(word);
        }
        return kSuccess;
    }
    if (subcommand == nullptr) {
        return UsageError(console, "unknown command \"" + name + "\"", options.json);
    }
    if (options.help) {
        console.WriteResults(options.helpText);
        return kSuccess;
    }
    if (options.quiet) {
        console.BeQuiet();
    }

    CameraOutput output(console, std::string(), options.json, false);
    TerminalServices services(output, options, false, progressBar);
    ProcessContext context;
    services.Provide(context, TerminalServices::Settings::Window);
    const Stored stored = ReadStored(context);
    // The window's mode is the operator's at that desk; a script that dumps or loads the
    // factory trim must say so.
    const int32_t controlMode = options.controlMode.value_or(kUserMode);
    context.Get<ControlMode>().Set(controlMode);
    // Operands name what they got wrong themselves.
    if (const std::string problem = subcommand->check(options, controlMode); !problem.empty()) {
        console.WriteError("rvctl: " + problem);
        UsageRecord(console, problem, options.json);
        return kUsage;
    }
    if (controlMode == kFactoryMode) {
        console.WriteMessage("rvctl: factory mode: factory parameters are read and written");
    }
    if (subcommand->reach == Reach::None) {
        Camera camera{context,         {}, options, controlMode, output, services.Trace(),
                      services.Files()};
        return subcommand->run(camera);
    }
    CameraRun run{*subcommand, options, controlMode,
                  Targets(options, *subcommand, stored, context)};
    if (run.targets.empty()) {
        // A Camera Link category whose library is missing or reports no port.
        output.Error("link category " + std::to_string(options.category.value_or(stored.category)) +
                     " has no ports; 'rvctl ports' lists them");
        return kNoCamera;
    }
    if (subcommand->reach == Reach::OneCamera && run.targets.size() != 1) {
        return UsageError(console, std::string(subcommand->name) + " works with one port only",
                          options.json);
    }
    run.searching =
        subcommand->searchesAllPorts && options.ports.empty() && options.portIndices.empty();
    run.progressBar = progressBar;
    // The terminal, which waits on its input, ends on a signal as any program does.
    if (subcommand->link != Link::Opened) {
        Interruption::Catch();
    }
    const ExitStatus status = RunOnCameras(run, console);
    if (Interruption::Happened()) {
        output.Error("interrupted");
        return Interruption::ExitStatus();
    }
    if (run.searching && status == kNoCamera) {
        output.Error("no camera answered on any port of category " +
                     std::to_string(run.targets.front().category) + " (-v tells why)");
    }
    return status;
}

}  // namespace

int RunRvctl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             bool progressBar) {
    Console console(out, err);
    const int status = Run(args, console, progressBar);
    console.Finish(status);
    return status;
}
