// watch: parameters sampled at a steady period, one time-stamped line per sample, until the
// count is reached or a signal ends it. Only queries go out: a watch never changes the camera.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "controls/ControlCatalog.h"
#include "core/CancelToken.h"
#include "core/ProcessContext.h"
#include "core/WholeNumber.h"
#include "operations/Parameters.h"
#include "tools/rvctl/CameraOutput.h"
#include "tools/rvctl/Console.h"
#include "tools/rvctl/ParameterArguments.h"
#include "tools/rvctl/Readings.h"
#include "tools/rvctl/Record.h"
#include "tools/rvctl/Subcommands.h"

namespace {

using SteadyClock = std::chrono::steady_clock;
using Micro = std::chrono::microseconds;

const char kDefaultInterval[] = "1";
// Shorter than one exchange at 9600 bit/s, longer than nothing.
constexpr double kShortestSeconds = 0.01;
constexpr double kLongestSeconds = 86400;
constexpr int64_t kMostSamples = 1000000000;
// How often a wait for the next sample looks whether the run is to end: a signal handler can
// only set a flag.
constexpr std::chrono::milliseconds kCancelLook(20);

enum class Format { Text, Csv, Json };

// A parameter of the pages or a reading (TMP0, PEMAX, ...): both are only asked for.
struct Watched {
    std::string mnemonic;
    const CatalogEntry* entry = nullptr;
    const Reading* reading = nullptr;

    std::optional<int32_t> Read(ProcessContext& context) const {
        return entry != nullptr ? Parameters::Get(context, entry->ctrlId) : reading->read(context);
    }
    std::string Text(int32_t value) const {
        return entry != nullptr ? ControlCatalog::ValueText(*entry, value) : std::to_string(value);
    }
};

struct Watch {
    std::vector<Watched> entries;
    std::string intervalText;
    Micro interval{0};
    std::optional<int64_t> count;
    Format format = Format::Text;
};

std::optional<double> Seconds(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos) {
        return std::nullopt;
    }
    errno = 0;
    char* end = nullptr;
    const double seconds = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(seconds)) {
        return std::nullopt;
    }
    return seconds;
}

std::optional<double> Interval(const std::string& text) {
    const std::optional<double> seconds = Seconds(text);
    if (!seconds || *seconds < kShortestSeconds || *seconds > kLongestSeconds) {
        return std::nullopt;
    }
    return seconds;
}

std::optional<int64_t> Count(const std::string& text) {
    // Blanks a shell would have split are no part of a number here.
    if (text.find_first_of(" \t") != std::string::npos) {
        return std::nullopt;
    }
    return WholeNumber(text, 1, kMostSamples);
}

std::string CheckInterval(const std::string& text) {
    return Interval(text) ? std::string()
                          : "\"" + text + "\" is no time from 0.01 to 86400 seconds";
}

std::string CheckCount(const std::string& text) {
    return Count(text) ? std::string() : "\"" + text + "\" is no whole number from 1 to 1000000000";
}

std::optional<Watch> ParseWatch(const Options& options, int32_t controlMode, std::string& error) {
    Watch watch;
    if (options.operands.empty()) {
        error = "name at least one parameter to watch by its mnemonic; 'rvctl list' shows them all";
        return std::nullopt;
    }
    for (const std::string& word : options.operands) {
        Watched watched;
        watched.reading = Readings::Find(word);
        if (watched.reading != nullptr) {
            watched.mnemonic = watched.reading->mnemonic;
        } else {
            watched.entry = ParameterArguments::Parameter(word, controlMode, error);
            if (watched.entry == nullptr) {
                return std::nullopt;
            }
            watched.mnemonic = ControlCatalog::Mnemonic(*watched.entry);
        }
        for (const Watched& named : watch.entries) {
            if (named.mnemonic == watched.mnemonic) {
                error = "watch: " + watched.mnemonic + " is named twice";
                return std::nullopt;
            }
        }
        watch.entries.push_back(watched);
    }
    // The values were checked as the command line was read.
    watch.intervalText = options.Value("--interval").value_or(kDefaultInterval);
    watch.interval = Micro(std::llround(*Interval(watch.intervalText) * 1e6));
    if (const std::optional<std::string> count = options.Value("--count")) {
        watch.count = Count(*count);
    }
    if (options.Has("--csv")) {
        if (options.json) {
            error = "watch: --csv and --json exclude each other";
            return std::nullopt;
        }
        watch.format = Format::Csv;
    } else if (options.json) {
        watch.format = Format::Json;
    }
    return watch;
}

std::string CheckWatch(const Options& options, int32_t controlMode) {
    std::string error;
    return ParseWatch(options, controlMode, error) ? std::string() : error;
}

// "2026-03-14T09:26:53.589+01:00": the local time, with the offset from UTC that applies then.
std::string TimeStamp(std::chrono::system_clock::time_point time) {
    const long long ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count();
    const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm local{};
    std::tm utc{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
    gmtime_s(&utc, &seconds);
#else
    localtime_r(&seconds, &local);
    gmtime_r(&seconds, &utc);
#endif
    // The two calendars differ by at most a day; a year's turn lies between them at most once.
    int days = local.tm_yday - utc.tm_yday;
    if (local.tm_year != utc.tm_year) {
        days = local.tm_year > utc.tm_year ? 1 : -1;
    }
    const int offset = days * 1440 + (local.tm_hour - utc.tm_hour) * 60 + local.tm_min - utc.tm_min;
    const int magnitude = offset < 0 ? -offset : offset;
    char stamp[96];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02dT%02d:%02d:%02d.%03d%c%02d:%02d",
                  local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                  local.tm_min, local.tm_sec, static_cast<int>(ms % 1000), offset < 0 ? '-' : '+',
                  magnitude / 60, magnitude % 60);
    return stamp;
}

// A CSV field, quoted when it holds a separator, a quote or a line break.
std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    }
    return quoted + "\"";
}

// One sample: the values in the order named; a value missing when the camera left it
// unanswered, and the rest then not asked, so that a silent camera costs one time-out a sample.
struct Sample {
    std::string stamp;
    std::vector<std::optional<int32_t>> values;
    bool answered = true;
};

std::string Line(const Watch& watch, const Sample& sample, const std::string& port, bool shared) {
    switch (watch.format) {
        case Format::Csv: {
            std::string line = CsvField(sample.stamp) + "," + CsvField(port);
            for (std::size_t i = 0; i < watch.entries.size(); ++i) {
                const std::optional<int32_t>& value = sample.values[i];
                line += "," + (value ? CsvField(watch.entries[i].Text(*value)) : std::string());
            }
            return line + "," + (sample.answered ? "" : "no answer");
        }
        case Format::Json: {
            Record values("");
            for (std::size_t i = 0; i < watch.entries.size(); ++i) {
                const std::string& mnemonic = watch.entries[i].mnemonic;
                if (sample.values[i]) {
                    values.Number(mnemonic, *sample.values[i]);
                } else {
                    values.Null(mnemonic);
                }
            }
            Record record("");
            record.Text("time", sample.stamp).Value("values", values.Fields());
            if (!sample.answered) {
                record.Text("error", "no answer");
            }
            return record.Json(port);
        }
        default: {
            std::string line = (shared ? port + " " : "") + sample.stamp;
            for (std::size_t i = 0; i < watch.entries.size(); ++i) {
                const std::optional<int32_t>& value = sample.values[i];
                line += " " + watch.entries[i].mnemonic + "=" +
                        (value ? watch.entries[i].Text(*value) : "-");
            }
            return line + (sample.answered ? "" : " no answer");
        }
    }
}

std::string CsvHeader(const Watch& watch) {
    std::string header = "time,port";
    for (const Watched& watched : watch.entries) {
        header += "," + watched.mnemonic;
    }
    return header + ",error";
}

// Sleeps until the time, or until the run is to end; false then.
bool WaitUntil(SteadyClock::time_point due, const CancelToken& cancel) {
    for (;;) {
        if (cancel.Requested()) {
            return false;
        }
        const SteadyClock::time_point now = SteadyClock::now();
        if (now >= due) {
            return true;
        }
        std::this_thread::sleep_for(std::min<SteadyClock::duration>(due - now, kCancelLook));
    }
}

// Several cameras' lines start with the port, as every command's do.
bool SharedOutput(const Options& options) {
    return options.ports.size() + options.portIndices.size() > 1;
}

ExitStatus RunWatch(Camera& camera) {
    std::string error;
    const Watch watch = *ParseWatch(camera.options, camera.controlMode, error);
    const CancelToken& cancel = camera.context.Get<CancelToken>();
    Console& screen = camera.output.Screen();
    if (watch.format == Format::Csv) {
        // One header for every camera's rows; rvctl runs one command in its process.
        static std::once_flag header;
        std::call_once(header, [&] { screen.WriteResults(CsvHeader(watch)); });
    }
    const bool shared = SharedOutput(camera.options);
    ExitStatus status = kSuccess;
    bool overrunTold = false;
    // Each sample is due at start + k * interval, however long the ones before it took.
    const SteadyClock::time_point start = SteadyClock::now();
    long long tick = 0;
    for (int64_t taken = 0; !watch.count || taken < *watch.count; ++taken) {
        if (!WaitUntil(start + tick * watch.interval, cancel)) {
            break;
        }
        Sample sample;
        sample.stamp = TimeStamp(std::chrono::system_clock::now());
        for (const Watched& watched : watch.entries) {
            std::optional<int32_t> value;
            if (sample.answered) {
                value = watched.Read(camera.context);
                sample.answered = value.has_value();
            }
            sample.values.push_back(value);
        }
        if (cancel.Requested() && sample.values.size() < watch.entries.size()) {
            break;
        }
        screen.WriteResults(Line(watch, sample, camera.output.Port(), shared));
        // Nobody reads the samples any more (a pipe into head, with SIGPIPE ignored): the
        // console said so, and the watch ends.
        if (screen.ResultsLost()) {
            return kFailed;
        }
        if (!sample.answered) {
            status = kFailed;
        }
        // A sample that ran past the next tick skips every tick that has gone by.
        const SteadyClock::time_point now = SteadyClock::now();
        ++tick;
        if (now > start + tick * watch.interval) {
            const long long passed = (now - start) / watch.interval;
            if (!overrunTold) {
                const long long skipped = passed - tick + 1;
                camera.output.Error("a sample overran the interval of " + watch.intervalText +
                                    " s: " + std::to_string(skipped) +
                                    (skipped == 1 ? " sample" : " samples") +
                                    " skipped (later overruns are not told)");
                overrunTold = true;
            }
            tick = passed + 1;
        }
    }
    return status;
}

const std::vector<OwnOption> kWatchOptions = {
    {"--interval", "S", "seconds from one sample to the next, 0.01 to 86400", CheckInterval},
    {"--count", "N", "samples to take, 1 to 1000000000 (default: until stopped)", CheckCount},
    {"--csv", nullptr, "comma-separated values under a header line"},
};

}  // namespace

std::vector<Subcommand> WatchCommands() {
    return {
        {"watch", "MNEMONIC...", "sample parameters at a steady period, one time-stamped line each",
         "Asks the camera for the parameters every S seconds (default 1, fractions allowed, from\n"
         "0.01) and prints one line per sample: the local time with milliseconds and offset\n"
         "(ISO 8601), then MNEMONIC=VALUE for each. With several ports, every camera is sampled\n"
         "on its own and each line starts with its port. --csv prints a header line and then\n"
         "time,port,values...,error; --json one object per sample with \"port\", \"time\",\n"
         "\"values\" (null for a value not told) and \"error\" when the camera did not answer.\n"
         "Samples start at the start plus a whole number of intervals, however long each took;\n"
         "a sample that overruns the next one skips the samples missed, and the first time that\n"
         "happens standard error says so. A camera that stops answering gets a line ending in\n"
         "\"no answer\" for that sample, and the watch goes on. Only queries are sent: a watch\n"
         "changes no setting of the camera. The readings TMP0, PEMAX, PEMIN and ARMIN are\n"
         "watched as get reads them; TMP0 is the temperature of the sensor TMPS0 selects, which\n"
         "the watch leaves as it is (watch TMPS0 beside it to see which).\n"
         "--count N ends after N samples: exit status 0, or 1 when a sample got no answer.\n"
         "Without it the watch runs until Ctrl+C, SIGTERM or SIGHUP (130, 143, 129).\n",
         Reach::EachCamera, Link::Answered, false, CheckWatch, RunWatch, kWatchOptions},
    };
}
