#include "tools/rvctl/Options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <functional>
#include <memory>

#include "core/WholeNumber.h"
#include "tools/OptionTable.h"
#include "tools/rvctl/AnswerClock.h"
#include "tools/rvctl/CompletionWords.h"
#include "tools/rvctl/Subcommands.h"
#include "transport/CameraPort.h"

namespace {

constexpr int32_t kBaudRateCount = 5;
// The columns of the help: where an option's text starts, and the width of a subcommand's call
// before its summary.
constexpr std::size_t kOptionColumn = 25;
constexpr std::size_t kCallColumn = 24;
const char kOptionGroup[] = "Options";
const char kOperands[] = "operands";

const char kIntroduction[] =
    "Controls RV-2410M/4820M line-scan cameras over their serial line, from scripts and\n"
    "production lines, with the flows of the RV Control Tool window. Without a command it\n"
    "lists the ports.\n";

const char kClosing[] =
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

std::optional<int32_t> Whole(const std::string& text, int64_t minimum, int64_t maximum) {
    const std::optional<int64_t> number = WholeNumber(text, minimum, maximum);
    if (!number) {
        return std::nullopt;
    }
    return static_cast<int32_t>(*number);
}

// "COM1,COM3" as its parts. CLI11's own list splitting drops an empty part, and with it the
// typo of ",,": here it is kept, so that the check refuses it.
std::vector<std::string> Parts(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t begin = 0;
    for (;;) {
        const std::size_t comma = text.find(',', begin);
        parts.push_back(text.substr(begin, comma - begin));
        if (comma == std::string::npos) {
            return parts;
        }
        begin = comma + 1;
    }
}

// The parts of an option given once or more.
std::vector<std::string> Parts(const std::vector<std::string>& lists) {
    std::vector<std::string> parts;
    for (const std::string& list : lists) {
        const std::vector<std::string> more = Parts(list);
        parts.insert(parts.end(), more.begin(), more.end());
    }
    return parts;
}

// The check of a list: the first part's problem, or nothing.
std::string EachPart(const std::string& text,
                     const std::function<std::string(const std::string&)>& check) {
    for (const std::string& part : Parts(text)) {
        const std::string problem = check(part);
        if (!problem.empty()) {
            return problem;
        }
    }
    return std::string();
}

// Adds a port or index to its list; one named twice is a typo the run must not hide.
template <typename Item>
void AddOnce(std::vector<Item>& list, const Item& item, const char* option,
             const std::string& named) {
    if (std::find(list.begin(), list.end(), item) != list.end()) {
        throw CLI::ValidationError(option, named + " is named twice");
    }
    list.push_back(item);
}

std::optional<int32_t> BaudRate(const std::string& text) {
    for (int32_t index = 0; index < kBaudRateCount; ++index) {
        if (text == std::to_string(CameraPort::BaudRateFromIndex(index))) {
            return CameraPort::BaudRateFromIndex(index);
        }
    }
    return std::nullopt;
}

void AddGlobalOptions(CLI::App& app, Options& options) {
    app.add_option_function<std::vector<std::string>>(
           "--port",
           [&options](const std::vector<std::string>& lists) {
               for (const std::string& name : Parts(lists)) {
                   const PortTarget target = *ParsePortTarget(name);
                   AddOnce(options.ports, target, "--port", "port " + target.Name());
               }
           },
           "the cameras: COM1 ... COM256, a device path or a symlink to\n"
           "one (/dev/ttyUSB0, /dev/serial/by-id/...), a serial device\n"
           "server (socket://HOST:PORT raw, rfc2217://HOST:PORT), or CLc-i\n"
           "for port i of Camera Link category c (1 to 3). Several are\n"
           "handled at once, each\n"
           "on its own; their results come in the order named.\n"
           "Default: the link the window used last.")
        ->type_name("PORT[,PORT...]")
        ->allow_extra_args(false)
        ->check(OptionTable::Checked([](const std::string& list) {
            return EachPart(list, [](const std::string& name) {
                return ParsePortTarget(name) ? std::string() : PortTargetProblem(name);
            });
        }));
    app.add_option_function<std::string>(
           "--category",
           [&options](const std::string& text) {
               options.category = Whole(text, 0, kCameraLinkV11Category);
           },
           "link category: 0 COM port, 1 Camera Link 2000, 2 Camera\n"
           "Link 2001, 3 Camera Link ver.1.1 ('rvctl ports' lists them)")
        ->type_name("N")
        ->check(OptionTable::Checked([](const std::string& text) {
            return Whole(text, 0, kCameraLinkV11Category)
                       ? std::string()
                       : "unknown category \"" + text + "\": 0 COM port, 1 to 3 Camera Link";
        }));
    app.add_option_function<std::vector<std::string>>(
           "--port-index",
           [&options](const std::vector<std::string>& lists) {
               for (const std::string& text : Parts(lists)) {
                   AddOnce(options.portIndices, *Whole(text, 0, INT32_MAX), "--port-index",
                           "port index " + text);
               }
           },
           "ports of that category, 0 for its first (default: the one the\n"
           "window used last)")
        ->type_name("I[,I...]")
        ->allow_extra_args(false)
        ->check(OptionTable::Checked([](const std::string& list) {
            return EachPart(list, [](const std::string& text) {
                return Whole(text, 0, INT32_MAX)
                           ? std::string()
                           : "port index \"" + text + "\" is not a whole number from 0";
            });
        }));
    app.add_option_function<std::string>(
           "--baud",
           [&options](const std::string& text) {
               options.baud = text == "auto" ? BaudChoice::Search : BaudChoice::Fixed;
               options.baudRate = BaudRate(text).value_or(options.baudRate);
           },
           "9600, 19200, 38400, 57600 or 115200 bit/s only; auto tries\n"
           "115200 down to 9600. Default: 9600, then as auto, as the\n"
           "window does at its start")
        ->type_name("RATE|auto")
        ->check(OptionTable::Checked([](const std::string& text) {
            return text == "auto" || BaudRate(text)
                       ? std::string()
                       : "unknown baud rate \"" + text +
                             "\": 9600, 19200, 38400, 57600, 115200 or auto";
        }));
    app.add_option_function<std::string>(
           "--timeout",
           [&options](const std::string& text) {
               options.timeoutMs = Whole(text, AnswerClock::kShortestMs, AnswerClock::kLongestMs);
           },
           "how long each request waits for the camera's answer, 100 to\n"
           "600000 ms (default 5000). Longer waits (a calibration's\n"
           "start, storing a flash area) keep theirs unless MS is longer;\n"
           "the quick probes of a rate search, the temperature and LUT\n"
           "entries keep their shorter ones. For terminal: how long the\n"
           "camera may stay silent after the input ends (default 1000)")
        ->type_name("MS")
        ->check(OptionTable::Checked([](const std::string& text) {
            return Whole(text, AnswerClock::kShortestMs, AnswerClock::kLongestMs)
                       ? std::string()
                       : "time-out \"" + text + "\" is not a number of milliseconds from " +
                             std::to_string(AnswerClock::kShortestMs) + " to " +
                             std::to_string(AnswerClock::kLongestMs);
        }));
    // The mode named last counts.
    app.add_flag_function(
           "--factory{1},--user{0}",
           [&options](int64_t mode) { options.controlMode = static_cast<int32_t>(mode); },
           "control mode for this run (default: user). Factory mode reads\n"
           "and writes the factory parameters; rvctl says on standard\n"
           "error when it runs in it")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_flag("--json", options.json,
                 "one JSON object per result, each with its \"port\"; a\n"
                 "failure too, with its \"error\"; a usage error (exit status\n"
                 "2) as {\"error\": ..., \"usage\": true} on standard output");
    app.add_flag("-v,--verbose", options.verbose,
                 "the time-stamped trace of every line sent (with its rate) and\n"
                 "received, and the messages of port searches, on standard\n"
                 "error; each line stamped HH:MM:SS.mmm in UTC, as the\n"
                 "window logs it");
    app.add_flag("-q,--quiet", options.quiet,
                 "nothing on standard output or error when the run succeeds:\n"
                 "no results, messages, progress bar or trace; when it fails,\n"
                 "rvctl's error and the messages that explain it");
    app.add_flag("--yes", options.yes, "answer yes to questions (replacing a file)");
    app.add_flag("-h,--help", options.help, "this help");
    app.add_flag("--version", options.version, "the version");
}

void AddOwnOptions(CLI::App& command, const Subcommand& subcommand, Options& options) {
    for (const OwnOption& own : subcommand.options) {
        const std::string name = own.name;
        CLI::Option* option = nullptr;
        if (own.value == nullptr) {
            option = command.add_flag_callback(
                name, [&options, name] { options.flags.insert(name); }, own.description);
        } else {
            option = command
                         .add_option_function<std::string>(
                             name,
                             [&options, name](const std::string& value) {
                                 options.values[name] = value;
                             },
                             own.description)
                         ->type_name(own.value);
        }
        if (own.check != nullptr) {
            option->check(OptionTable::Checked(own.check));
        }
    }
}

// How a subcommand is called: "dump [--shipping] [-o FILE]". Its options follow its operands,
// unless the operands place one themselves ("lut read [-o FILE] | write FILE").
std::string Call(const CLI::App& command) {
    const CLI::Option* operands = command.get_option_no_throw(kOperands);
    const std::string synopsis = operands != nullptr ? operands->get_type_name() : std::string();
    std::string call = command.get_name() + (synopsis.empty() ? "" : " ") + synopsis;
    for (const CLI::Option* option :
         command.get_options([](const CLI::Option* option) { return !option->get_positional(); })) {
        const std::string usage = "[" + OptionTable::Names(*option) + "]";
        if (synopsis.find(usage) == std::string::npos) {
            call += " " + usage;
        }
    }
    return call;
}

// The help printed from the table: rvctl's with its commands and options, or one command's.
class Help : public CLI::Formatter {
public:
    std::string make_help(const CLI::App* app, std::string, CLI::AppFormatMode) const override {
        return app->get_parent() == nullptr ? ProgramHelp(*app) : CommandHelp(*app);
    }

private:
    static std::string ProgramHelp(const CLI::App& app) {
        std::string text = "Usage: rvctl [OPTIONS] [COMMAND [ARGUMENTS]]\n\n" +
                           app.get_description() +
                           "\nCommands ('rvctl COMMAND --help' tells more):\n";
        for (const CLI::App* command : app.get_subcommands(
                 [](const CLI::App* command) { return !command->get_group().empty(); })) {
            const std::string call = Call(*command);
            // A call too long for its column stands on a line of its own with the summary
            // below, so that the summaries stay in one column (and help2man reads each as one
            // entry).
            text += "  " + call +
                    (call.size() > kCallColumn ? "\n" + std::string(kCallColumn + 3, ' ')
                                               : std::string(kCallColumn + 1 - call.size(), ' ')) +
                    command->get_description() + "\n";
        }
        return text + "\nOptions, before or after the command:\n" +
               OptionTable::GroupRows(app, kOptionGroup, kOptionColumn) + "\n" + app.get_footer();
    }

    static std::string CommandHelp(const CLI::App& command) {
        std::string summary = command.get_description();
        summary[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(summary[0])));
        std::string text = "Usage: rvctl [OPTIONS] " + Call(command) + "\n\n" + summary + ".\n\n" +
                           command.get_footer();
        const std::string own = OptionTable::GroupRows(command, kOptionGroup, kOptionColumn);
        if (!own.empty()) {
            text += "\nOptions of " + command.get_name() + ":\n" + own;
        }
        return text + "\nThe options of 'rvctl --help' apply.\n";
    }
};

// Every option of rvctl and of each subcommand, bound to options.
void Declare(CLI::App& app, Options& options) {
    app.description(kIntroduction);
    app.footer(kClosing);
    app.formatter(std::make_shared<Help>());
    // --help is a global option like any other: the run prints the help it asks for.
    app.set_help_flag();
    // An option that is neither rvctl's nor the subcommand's is told about after the parse.
    app.allow_extras();
    app.require_subcommand(0, 1);
    // The global options are taken after the subcommand too.
    app.fallthrough();
    // An option given twice counts as given last; a flag takes no value ("--json=1").
    app.option_defaults()
        ->group(kOptionGroup)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->disable_flag_override();
    AddGlobalOptions(app, options);
    for (const Subcommand& subcommand : Subcommands()) {
        CLI::App* command = app.add_subcommand(subcommand.name, subcommand.summary);
        command->footer(subcommand.help);
        command->add_option(kOperands, options.operands)->type_name(subcommand.synopsis);
        AddOwnOptions(*command, subcommand, options);
    }
    // The shell's completion asks for words by a command no help shows.
    app.add_subcommand(CompletionWords::kCommand)
        ->group(std::string())
        ->add_option(kOperands, options.operands);
}

}  // namespace

std::optional<std::string> Options::Value(const std::string& option) const {
    const auto found = values.find(option);
    if (found == values.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
    Options options;
    CLI::App app("", "rvctl");
    Declare(app, options);
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& problem) {
        error = OptionTable::Problem(problem);
        return std::nullopt;
    }
    const std::vector<CLI::App*> named = app.get_subcommands();
    const CLI::App* command = named.empty() ? nullptr : named.front();
    options.subcommand = command != nullptr ? command->get_name() : std::string();
    for (const std::string& extra : app.remaining()) {
        if (extra.size() > 1 && extra[0] == '-') {
            const std::string name = extra.substr(0, extra.find('='));
            if (command == nullptr) {
                error = "unknown option \"" + extra + "\"";
            } else if (command->get_option_no_throw(name) != nullptr) {
                // Given before the subcommand, where only rvctl's options are read.
                error = name + " is " + options.subcommand + "'s option: it stands after " +
                        options.subcommand;
            } else {
                error = "unknown option \"" + extra + "\"; 'rvctl " + options.subcommand +
                        " --help' lists " + options.subcommand + "'s";
            }
        } else {
            error = "unknown command \"" + extra + "\"";
        }
        return std::nullopt;
    }
    if (!options.ports.empty() && (options.category || !options.portIndices.empty())) {
        error = "--port names the link already; leave out --category and --port-index";
        return std::nullopt;
    }
    if (!options.portIndices.empty() && !options.category) {
        error = "--port-index needs --category";
        return std::nullopt;
    }
    if (options.help) {
        options.helpText = command != nullptr ? command->help() : app.help();
    }
    return options;
}
