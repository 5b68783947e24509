#include "tools/rvctl/Rvctl.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

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
// The width of a subcommand's call in the usage text, before its summary.
constexpr std::size_t kCallColumn = 24;

std::string Usage() {
    std::string text =
        "Usage: rvctl [OPTIONS] [COMMAND [ARGUMENTS]]\n"
        "\n"
        "Controls RV-2410M/4820M line-scan cameras over their serial line, from scripts and\n"
        "production lines, with the flows of the RV Control Tool window. Without a command it\n"
        "lists the ports.\n"
        "\n"
        "Commands ('rvctl COMMAND --help' tells more):\n";
    for (const Subcommand& subcommand : Subcommands()) {
        const std::string call = std::string(subcommand.name) +
                                 (subcommand.synopsis[0] != '\0' ? " " : "") + subcommand.synopsis;
        // A call too long for its column stands on a line of its own with the summary below,
        // so that the summaries stay in one column (and help2man reads each as one entry).
        if (call.size() > kCallColumn) {
            text +=
                "  " + call + "\n" + std::string(kCallColumn + 3, ' ') + subcommand.summary + "\n";
            continue;
        }
        char line[160];
        std::snprintf(line, sizeof line, "  %-*s %s\n", static_cast<int>(kCallColumn), call.c_str(),
                      subcommand.summary);
        text += line;
    }
    text +=
        "\n"
        "Options, before or after the command:\n"
        "  --port PORT[,PORT...]  the cameras: COM1 ... COM16, or CLc-i for port i of Camera\n"
        "                         Link category c (1 to 3). Several are handled at once, each\n"
        "                         on its own; their results come in the order named.\n"
        "                         Default: the link the window used last.\n"
        "  --category N           link category: 0 COM port, 1 Camera Link 2000, 2 Camera\n"
        "                         Link 2001, 3 Camera Link ver.1.1 ('rvctl ports' lists them)\n"
        "  --port-index I[,I...]  ports of that category, 0 for its first (default: the one the\n"
        "                         window used last)\n"
        "  --baud RATE|auto       9600, 19200, 38400, 57600 or 115200 bit/s only; auto tries\n"
        "                         115200 down to 9600. Default: 9600, then as auto, as the\n"
        "                         window does at its start\n"
        "  --timeout MS           how long each request waits for the camera's answer, 100 to\n"
        "                         600000 ms (default 5000). Longer waits (a calibration's\n"
        "                         start, storing a flash area) keep theirs unless MS is longer;\n"
        "                         the quick probes of a rate search, the temperature and LUT\n"
        "                         entries keep their shorter ones. For terminal: how long the\n"
        "                         camera may stay silent after the input ends (default 1000)\n"
        "  --factory, --user      control mode for this run (default: user). Factory mode reads\n"
        "                         and writes the factory parameters; rvctl says on standard\n"
        "                         error when it runs in it\n"
        "  --json                 one JSON object per result, each with its \"port\"; a\n"
        "                         failure too, with its \"error\"; a usage error (exit status\n"
        "                         2) as {\"error\": ..., \"usage\": true} on standard output\n"
        "  -v, --verbose          the time-stamped trace of every line sent (with its rate) and\n"
        "                         received, and the messages of port searches, on standard\n"
        "                         error; each line stamped HH:MM:SS.mmm in local time\n"
        "  -q, --quiet            nothing on standard output or error when the run succeeds:\n"
        "                         no results, messages, progress bar or trace; when it fails,\n"
        "                         rvctl's error and the messages that explain it\n"
        "  --yes                  answer yes to questions (replacing a file)\n"
        "  -h, --help             this help\n"
        "  --version              the version\n"
        "\n"
        "Results go to standard output, one line each. While several cameras run, each line\n"
        "starts with its camera's port and each camera's lines stay together; with one camera\n"
        "no port stands before them. The window's messages go to standard error with their\n"
        "caption and text; a progress bar too when standard error is a terminal and one camera\n"
        "runs. rvctl reads the window's stored link, never its control mode, and never writes\n"
        "its settings.\n"
        "\n"
        "Exit status:\n"
        "  0                      success\n"
        "  1                      the camera refused, differs from the file (diff) or a step\n"
        "                         failed\n"
        "  2                      a usage error, or a question that needs --yes\n"
        "  3                      no camera answered, or the port did not open (another\n"
        "                         program holds it, or it is missing)\n"
        "  130, 143, 129          ended by SIGINT (Ctrl+C), SIGTERM, SIGHUP after the exchange\n"
        "                         under way\n"
        "With several cameras, the worst. With -q nothing is written when it is 0.\n";
    return text;
}

std::string SubcommandHelp(const Subcommand& subcommand) {
    std::string summary = subcommand.summary;
    summary[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(summary[0])));
    return std::string("Usage: rvctl [OPTIONS] ") + subcommand.name +
           (subcommand.synopsis[0] != '\0' ? std::string(" ") + subcommand.synopsis : "") + "\n\n" +
           summary + ".\n\n" + subcommand.help + "\nThe options of 'rvctl --help' apply.\n";
}

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

// The link the window stored, as its start-up would take it.
struct Stored {
    int32_t category = 0;
    int32_t portIndex = 0;
};

Stored ReadStored(ProcessContext& context) {
    CameraConnection::ApplyPreviousShutdown(context);
    CameraPort& port = context.Get<CameraPort>();
    return {port.GetCategory(), port.GetPortIndex()};
}

// The cameras of the run: those named, the window's link, or every port of a category for a
// search.
std::vector<PortTarget> Targets(const Options& options, const Subcommand& subcommand,
                                const Stored& stored, ProcessContext& context) {
    if (!options.ports.empty()) {
        return options.ports;
    }
    const int32_t category = options.category.value_or(stored.category);
    std::vector<PortTarget> targets;
    for (const int32_t index : options.portIndices) {
        targets.push_back({category, index});
    }
    if (!targets.empty()) {
        return targets;
    }
    CameraPort& port = context.Get<CameraPort>();
    port.SetCategory(category);
    if (subcommand.searchesAllPorts) {
        for (int32_t index = 0; index < port.GetPortCount(); ++index) {
            targets.push_back({category, index});
        }
        return targets;
    }
    return {{category, port.GetPortIndex()}};
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
        console.WriteResults(Usage());
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
        console.WriteResults(SubcommandHelp(*subcommand));
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
