#include "tools/rvctl/Options.h"

#include <algorithm>

#include "tools/rvctl/AnswerClock.h"
#include "transport/CameraPort.h"

namespace {

constexpr int32_t kBaudRateCount = 5;

std::vector<std::string> SplitList(const std::string& text) {
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

bool ParseIndex(const std::string& text, int32_t maximum, int32_t& value) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    value = std::stoi(text);
    return value <= maximum;
}

bool ParseBaud(const std::string& text, Options& options) {
    if (text == "auto") {
        options.baud = BaudChoice::Search;
        return true;
    }
    for (int32_t index = 0; index < kBaudRateCount; ++index) {
        if (text == std::to_string(CameraPort::BaudRateFromIndex(index))) {
            options.baud = BaudChoice::Fixed;
            options.baudRate = CameraPort::BaudRateFromIndex(index);
            return true;
        }
    }
    return false;
}

// Applies one option that takes a value; false with the message when the value is wrong.
bool ApplyValue(const std::string& name, const std::string& value, Options& options,
                std::string& error) {
    if (name == "--port") {
        for (const std::string& part : SplitList(value)) {
            const std::optional<PortTarget> target = ParsePortTarget(part);
            if (!target) {
                error = "unknown port \"" + part +
                        "\": name COM1 ... COM16, or CLc-i for port i of Camera Link category c";
                return false;
            }
            if (std::find(options.ports.begin(), options.ports.end(), *target) !=
                options.ports.end()) {
                error = "port " + target->Name() + " is named twice";
                return false;
            }
            options.ports.push_back(*target);
        }
        return true;
    }
    if (name == "--category") {
        int32_t category = 0;
        if (!ParseIndex(value, kCameraLinkV11Category, category)) {
            error = "unknown category \"" + value + "\": 0 COM port, 1 to 3 Camera Link";
            return false;
        }
        options.category = category;
        return true;
    }
    if (name == "--port-index") {
        for (const std::string& part : SplitList(value)) {
            int32_t index = 0;
            if (!ParseIndex(part, 999999, index)) {
                error = "port index \"" + part + "\" is not a whole number from 0";
                return false;
            }
            if (std::find(options.portIndices.begin(), options.portIndices.end(), index) !=
                options.portIndices.end()) {
                error = "port index " + part + " is named twice";
                return false;
            }
            options.portIndices.push_back(index);
        }
        return true;
    }
    if (name == "--timeout") {
        int32_t timeout = 0;
        if (!ParseIndex(value, AnswerClock::kLongestMs, timeout) ||
            timeout < AnswerClock::kShortestMs) {
            error = "time-out \"" + value + "\" is not a number of milliseconds from " +
                    std::to_string(AnswerClock::kShortestMs) + " to " +
                    std::to_string(AnswerClock::kLongestMs);
            return false;
        }
        options.timeoutMs = timeout;
        return true;
    }
    if (!ParseBaud(value, options)) {
        error = "unknown baud rate \"" + value + "\": 9600, 19200, 38400, 57600, 115200 or auto";
        return false;
    }
    return true;
}

bool TakesValue(const std::string& name) {
    return name == "--port" || name == "--category" || name == "--port-index" || name == "--baud" ||
           name == "--timeout";
}

// Applies a global flag; false when the argument is none.
bool ApplyFlag(const std::string& arg, Options& options) {
    if (arg == "--json") {
        options.json = true;
    } else if (arg == "-v" || arg == "--verbose") {
        options.verbose = true;
    } else if (arg == "-q" || arg == "--quiet") {
        options.quiet = true;
    } else if (arg == "--yes") {
        options.yes = true;
    } else if (arg == "-h" || arg == "--help") {
        options.help = true;
    } else if (arg == "--version") {
        options.version = true;
    } else if (arg == "--factory") {
        options.controlMode = 1;
    } else if (arg == "--user") {
        options.controlMode = 0;
    } else {
        return false;
    }
    return true;
}

}  // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
    Options options;
    bool subcommandNamed = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            if (!subcommandNamed) {
                options.subcommand = arg;
                subcommandNamed = true;
            } else {
                options.operands.push_back(arg);
            }
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (ApplyFlag(arg, options)) {
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (TakesValue(name)) {
            std::string value;
            if (equals != std::string::npos) {
                value = arg.substr(equals + 1);
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                error = "option " + name + " needs a value";
                return std::nullopt;
            }
            if (!ApplyValue(name, value, options, error)) {
                return std::nullopt;
            }
            continue;
        }
        if (!subcommandNamed) {
            error = "unknown option \"" + arg + "\"";
            return std::nullopt;
        }
        // The subcommand's own option.
        options.operands.push_back(arg);
    }
    if (!options.ports.empty() && (options.category || !options.portIndices.empty())) {
        error = "--port names the link already; leave out --category and --port-index";
        return std::nullopt;
    }
    if (!options.portIndices.empty() && !options.category) {
        error = "--port-index needs --category";
        return std::nullopt;
    }
    return options;
}
