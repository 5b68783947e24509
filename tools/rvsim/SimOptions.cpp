#include "tools/rvsim/SimOptions.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "core/WholeNumber.h"
#include "protocol/CommandTable.h"
#include "tools/OptionTable.h"
#include "tools/rvsim/BaudRate.h"

namespace {

// Where an option's text starts in the help.
constexpr std::size_t kOptionColumn = 24;
constexpr double kLongestSeconds = 86400;
const char* const kGroups[] = {"Link", "Camera", "Faults, for tests", "Output"};

const char kIntroduction[] =
    "A simulated RV line-scan camera. It creates a pseudo terminal, prints the path of its\n"
    "device on the first line of standard output and answers the camera's command protocol\n"
    "there until it gets SIGINT or SIGTERM. Point the tool at the device (for example\n"
    "RVTOOL_COM1=/dev/pts/5 rvtool).\n";

std::optional<double> Seconds(const std::string& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    errno = 0;
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(parsed) || parsed < 0 ||
        parsed > kLongestSeconds) {
        return std::nullopt;
    }
    return parsed;
}

std::string Upper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
    return text;
}

// The help printed from the table: the introduction, then the options group by group.
class Help : public CLI::Formatter {
public:
    std::string make_help(const CLI::App* app, std::string, CLI::AppFormatMode) const override {
        std::string text = "Usage: rvsim [options]\n\n" + app->get_description();
        for (const char* group : kGroups) {
            text += std::string("\n") + group + ":\n" +
                    OptionTable::GroupRows(*app, group, kOptionColumn);
        }
        return text;
    }
};

class Table {
public:
    explicit Table(CLI::App& app) : app_(app) {}

    void Text(const char* name, std::string& target, const char* type, const char* description,
              bool* given = nullptr) {
        app_.add_option_function<std::string>(
                name,
                [&target, given](const std::string& value) {
                    target = value;
                    if (given != nullptr) {
                        *given = true;
                    }
                },
                description)
            ->type_name(type)
            ->check(OptionTable::Checked([](const std::string& value) {
                return value.empty() ? "an empty value" : std::string();
            }));
    }

    template <typename Number>
    void Whole(const char* name, Number& target, int64_t minimum, int64_t maximum, const char* type,
               const char* description) {
        app_.add_option_function<std::string>(
                name,
                [&target](const std::string& value) {
                    target = static_cast<Number>(*WholeNumber(value));
                },
                description)
            ->type_name(type)
            ->check(OptionTable::Checked([minimum, maximum](const std::string& value) {
                return WholeNumber(value, minimum, maximum)
                           ? std::string()
                           : "'" + value + "' is no whole number from " + std::to_string(minimum) +
                                 " to " + std::to_string(maximum);
            }));
    }

    void Time(const char* name, double& target, const char* description) {
        app_.add_option_function<std::string>(
                name, [&target](const std::string& value) { target = *Seconds(value); },
                description)
            ->type_name("S")
            ->check(OptionTable::Checked([](const std::string& value) {
                return Seconds(value) ? std::string()
                                      : "'" + value + "' is no time from 0 to 86400 seconds";
            }));
    }

    // A camera command, repeatable: --refuse GA --refuse SA.
    void Commands(const char* name, std::vector<std::string>& target, const char* description) {
        app_.add_option_function<std::vector<std::string>>(
                name,
                [&target](const std::vector<std::string>& values) {
                    for (const std::string& value : values) {
                        target.push_back(Upper(value));
                    }
                },
                description)
            ->type_name("MNEMONIC")
            ->allow_extra_args(false)
            ->check(OptionTable::Checked([](const std::string& value) {
                return CommandTable::IdOf(Upper(value)) < 0 ? value + " is not a camera command"
                                                            : std::string();
            }));
    }

    void Flag(const char* name, bool& target, bool value, const char* description) {
        app_.add_flag_callback(
            name, [&target, value] { target = value; }, description);
    }

    void Group(const char* group) { app_.option_defaults()->group(group); }

private:
    CLI::App& app_;
};

void Declare(CLI::App& app, SimOptions& options) {
    app.description(kIntroduction);
    app.formatter(std::make_shared<Help>());
    app.set_help_flag();
    app.allow_extras();
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.option_defaults()->disable_flag_override();
    Table table(app);
    table.Group(kGroups[0]);
    app.add_option_function<std::string>(
           "--baud",
           [&options](const std::string& value) {
               options.baud = static_cast<int>(*WholeNumber(value));
               options.baudGiven = true;
           },
           "rate the camera starts at: 9600, 19200, 38400, 57600 or 115200\n"
           "(default: the rate stored in the boot area, 9600 when new). The\n"
           "camera ignores a host set to another rate, as a real one would.")
        ->type_name("RATE")
        ->check(OptionTable::Checked([](const std::string& value) {
            const std::optional<int64_t> rate = WholeNumber(value, 0, 115200);
            return rate && BaudRate::ToCode(static_cast<int>(*rate)) != 0
                       ? std::string()
                       : "'" + value + "' is none of 9600, 19200, 38400, 57600 and 115200";
        }));
    table.Text("--link", options.link, "PATH",
               "also make a symlink PATH to the device (removed at exit)");
    table.Text("--device", options.device, "PATH",
               "serve an existing serial device instead of a pseudo terminal");
    table.Flag("--no-pacing", options.pacing, false,
               "send answers at once instead of at 10 bits a byte at the rate");
    table.Group(kGroups[1]);
    table.Text("--model", options.model, "TEXT",
               "model name the camera reports (default RV-2410M-TCL; any text)",
               &options.modelGiven);
    table.Text("--state", options.statePath, "FILE",
               "keep the flash areas, boot area, identity texts and model in\n"
               "FILE across runs (written atomically after every change)");
    table.Time("--calib-seconds", options.calibSeconds,
               "a calibration reports busy (0) this long (default 3; fractions\n"
               "allowed)");
    table.Whole("--calib-result", options.calibResult, INT32_MIN, INT32_MAX, "CODE",
                "status a calibration ends with (default 1, succeeded)");
    table.Time("--reset-seconds", options.resetSeconds,
               "the camera is silent this long after CRS00 (default 5)");
    table.Group(kGroups[2]);
    table.Flag("--silent", options.silent, true, "never answer");
    table.Whole("--drop-every", options.dropEvery, 1, INT32_MAX, "N",
                "no answer to every N-th line");
    table.Whole("--garbage-every", options.garbageEvery, 1, INT32_MAX, "N",
                "a line of random bytes instead of every N-th answer");
    table.Whole("--no-lf-after", options.noLfAfter, 0, INT64_MAX, "BYTES",
                "once BYTES bytes have been sent, send no LF any more: each\n"
                "answer runs on with 1024 '#' bytes, a line that never ends");
    table.Whole("--delay-ms", options.delayMs, 0, 600000, "N", "wait N ms before each answer");
    table.Commands("--refuse", options.refused,
                   "answer every set of MNEMONIC with \"Error: Refused\"; repeatable");
    table.Commands("--mute", options.muted,
                   "apply every set of MNEMONIC but never answer it; repeatable");
    table.Time("--unplug-after", options.unplugSeconds,
               "S seconds after the start the cable is pulled: the pseudo\n"
               "terminal closes and the --link goes");
    table.Time("--replug-after", options.replugSeconds,
               "with --unplug-after: S seconds later a new pseudo terminal\n"
               "opens, the --link points to it, and the same camera answers");
    table.Group(kGroups[3]);
    table.Text("--transcript", options.transcriptPath, "FILE",
               "write every line received and sent, with time stamps, to FILE");
    table.Flag("--help", options.help, true, "show this text");
    table.Flag("--version", options.version, true, "show the version");
    // -h as well, though the help names only --help.
    table.Group("");
    table.Flag("-h", options.help, true, "");
}

}  // namespace

bool ParseSimOptions(int argc, const char* const argv[], SimOptions& options, std::string& error) {
    CLI::App app("", "rvsim");
    Declare(app, options);
    std::vector<std::string> reversed;
    for (int i = argc - 1; i > 0; --i) {
        reversed.emplace_back(argv[i]);
    }
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& problem) {
        error = OptionTable::Problem(problem);
        return false;
    }
    for (const std::string& extra : app.remaining()) {
        error = extra.size() > 1 && extra[0] == '-' ? "unknown option " + extra
                                                    : "unexpected argument " + extra;
        return false;
    }
    if (options.replugSeconds >= 0 && options.unplugSeconds < 0) {
        error = "--replug-after needs --unplug-after";
        return false;
    }
    if (options.unplugSeconds >= 0 && !options.device.empty()) {
        error = "--unplug-after needs the pseudo terminal; a --device is unplugged by hand";
        return false;
    }
    return true;
}

std::string SimUsage() {
    SimOptions options;
    CLI::App app("", "rvsim");
    Declare(app, options);
    return app.help();
}
