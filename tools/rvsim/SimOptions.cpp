#include "tools/rvsim/SimOptions.h"
#include "core/WholeNumber.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "protocol/CommandTable.h"
#include "tools/rvsim/BaudRate.h"

namespace {

const char kUsage[] =
    "Usage: rvsim [options]\n"
    "\n"
    "A simulated RV line-scan camera. It creates a pseudo terminal, prints the path of its\n"
    "device on the first line of standard output and answers the camera's command protocol\n"
    "there until it gets SIGINT or SIGTERM. Point the tool at the device (for example\n"
    "RVTOOL_COM1=/dev/pts/5 rvtool).\n"
    "\n"
    "Link:\n"
    "  --baud RATE           rate the camera starts at: 9600, 19200, 38400, 57600 or 115200\n"
    "                        (default: the rate stored in the boot area, 9600 when new). The\n"
    "                        camera ignores a host set to another rate, as a real one would.\n"
    "  --link PATH           also make a symlink PATH to the device (removed at exit)\n"
    "  --device PATH         serve an existing serial device instead of a pseudo terminal\n"
    "  --no-pacing           send answers at once instead of at 10 bits a byte at the rate\n"
    "\n"
    "Camera:\n"
    "  --model TEXT          model name the camera reports (default RV-2410M-TCL; any text)\n"
    "  --state FILE          keep the flash areas, boot area, identity texts and model in\n"
    "                        FILE across runs (written atomically after every change)\n"
    "  --calib-seconds S     a calibration reports busy (0) this long (default 3; fractions\n"
    "                        allowed)\n"
    "  --calib-result CODE   status a calibration ends with (default 1, succeeded)\n"
    "  --reset-seconds S     the camera is silent this long after CRS00 (default 5)\n"
    "\n"
    "Faults, for tests:\n"
    "  --silent              never answer\n"
    "  --drop-every N        no answer to every N-th line\n"
    "  --garbage-every N     a line of random bytes instead of every N-th answer\n"
    "  --no-lf-after BYTES   once BYTES bytes have been sent, send no LF any more: each\n"
    "                        answer runs on with 1024 '#' bytes, a line that never ends\n"
    "  --delay-ms N          wait N ms before each answer\n"
    "  --refuse MNEMONIC     answer every set of MNEMONIC with \"Error: Refused\"; repeatable\n"
    "  --mute MNEMONIC       apply every set of MNEMONIC but never answer it; repeatable\n"
    "  --unplug-after S      S seconds after the start the cable is pulled: the pseudo\n"
    "                        terminal closes and the --link goes\n"
    "  --replug-after S      with --unplug-after: S seconds later a new pseudo terminal\n"
    "                        opens, the --link points to it, and the same camera answers\n"
    "\n"
    "Output:\n"
    "  --transcript FILE     write every line received and sent, with time stamps, to FILE\n"
    "  --help                show this text\n"
    "  --version             show the version\n";

bool ParseInt(const std::string& text, int64_t minimum, int64_t maximum, int64_t& value) {
    const std::optional<int64_t> number = WholeNumber(text, minimum, maximum);
    value = number.value_or(value);
    return number.has_value();
}

bool ParseSeconds(const std::string& text, double& value) {
    if (text.empty()) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(parsed) || parsed < 0 || parsed > 86400) {
        return false;
    }
    value = parsed;
    return true;
}

bool IsFlag(const std::string& name) {
    return name == "--help" || name == "--version" || name == "--no-pacing" || name == "--silent";
}

bool IsValueOption(const std::string& name) {
    for (const char* option :
         {"--baud", "--model", "--link", "--device", "--state", "--transcript", "--calib-seconds",
          "--reset-seconds", "--calib-result", "--drop-every", "--garbage-every", "--no-lf-after",
          "--delay-ms", "--refuse", "--mute", "--unplug-after", "--replug-after"}) {
        if (name == option) {
            return true;
        }
    }
    return false;
}

// Applies one option that takes a value; false with a message when the value is not valid.
bool ApplyValue(const std::string& name, const std::string& value, SimOptions& options,
                std::string& error) {
    int64_t number = 0;
    bool valid = true;
    if (name == "--baud") {
        valid = ParseInt(value, 0, 115200, number) && BaudRate::ToCode(static_cast<int>(number));
        options.baud = static_cast<int>(number);
        options.baudGiven = true;
    } else if (name == "--model") {
        valid = !value.empty();
        options.model = value;
        options.modelGiven = true;
    } else if (name == "--link") {
        valid = !value.empty();
        options.link = value;
    } else if (name == "--device") {
        valid = !value.empty();
        options.device = value;
    } else if (name == "--state") {
        valid = !value.empty();
        options.statePath = value;
    } else if (name == "--transcript") {
        valid = !value.empty();
        options.transcriptPath = value;
    } else if (name == "--calib-seconds") {
        valid = ParseSeconds(value, options.calibSeconds);
    } else if (name == "--reset-seconds") {
        valid = ParseSeconds(value, options.resetSeconds);
    } else if (name == "--unplug-after") {
        valid = ParseSeconds(value, options.unplugSeconds);
    } else if (name == "--replug-after") {
        valid = ParseSeconds(value, options.replugSeconds);
    } else if (name == "--calib-result") {
        valid = ParseInt(value, INT32_MIN, INT32_MAX, number);
        options.calibResult = static_cast<int32_t>(number);
    } else if (name == "--drop-every") {
        valid = ParseInt(value, 1, INT32_MAX, number);
        options.dropEvery = static_cast<int>(number);
    } else if (name == "--garbage-every") {
        valid = ParseInt(value, 1, INT32_MAX, number);
        options.garbageEvery = static_cast<int>(number);
    } else if (name == "--no-lf-after") {
        valid = ParseInt(value, 0, INT64_MAX, number);
        options.noLfAfter = number;
    } else if (name == "--delay-ms") {
        valid = ParseInt(value, 0, 600000, number);
        options.delayMs = static_cast<int>(number);
    } else if (name == "--refuse" || name == "--mute") {
        std::string mnemonic = value;
        for (char& c : mnemonic) {
            c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        }
        if (CommandTable::IdOf(mnemonic) < 0) {
            error = name + ": " + value + " is not a camera command";
            return false;
        }
        (name == "--refuse" ? options.refused : options.muted).push_back(mnemonic);
    }
    if (!valid) {
        error = "invalid value for " + name + ": '" + value + "'";
        return false;
    }
    return true;
}

}  // namespace

bool ParseSimOptions(int argc, const char* const argv[], SimOptions& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i];
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        if (name == "--version") {
            options.version = true;
            continue;
        }
        if (name == "--no-pacing") {
            options.pacing = false;
            continue;
        }
        if (name == "--silent") {
            options.silent = true;
            continue;
        }
        if (name.rfind("--", 0) != 0) {
            error = "unexpected argument " + name;
            return false;
        }
        std::string value;
        const std::size_t equals = name.find('=');
        const bool inlineValue = equals != std::string::npos;
        if (inlineValue) {
            value = name.substr(equals + 1);
            name.resize(equals);
        }
        if (!IsValueOption(name)) {
            error = IsFlag(name) ? "option " + name + " takes no value" : "unknown option " + name;
            return false;
        }
        if (!inlineValue) {
            if (i + 1 >= argc) {
                error = "option " + name + " needs a value";
                return false;
            }
            value = argv[++i];
        }
        if (!ApplyValue(name, value, options, error)) {
            return false;
        }
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

const char* SimUsage() {
    return kUsage;
}
