#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "operations/CameraReadings.h"

class OperatorWindow;
class ProcessContext;

// The Monitor window's sampling: the temperature of the sensor the camera has selected (and, in
// factory mode, the exposure and line rate limits) read at an interval the operator sets, the
// last hour of samples kept. Only queries go out: no setting, and not the sensor select, is
// changed. The times come from the caller, so that a test can run them fast.
class ReadingMonitor {
public:
    using SteadyTime = std::chrono::steady_clock::time_point;
    using WallTime = std::chrono::system_clock::time_point;

    struct Sample {
        WallTime time;
        // In the order of Names(); nothing where the camera did not answer.
        std::vector<std::optional<int32_t>> values;
    };

    static constexpr std::chrono::seconds kShortestInterval{1};
    static constexpr std::chrono::seconds kLongestInterval{3600};
    static constexpr std::chrono::hours kKept{1};

    explicit ReadingMonitor(bool factoryMode);

    // "TMP0", then in factory mode "PEMAX", "PEMIN", "ARMIN".
    const std::vector<std::string>& Names() const { return names_; }

    // Refused (false, the interval as it was) outside 1 s to an hour.
    bool SetInterval(std::chrono::seconds interval);
    std::chrono::seconds Interval() const { return interval_; }

    // Whether a sample is due at that time: the first at once, then one interval after the last.
    bool Due(SteadyTime now) const;
    // Takes a sample when one is due and nothing else uses the camera (a request or an
    // operation runs); true when it took one. Samples older than an hour before `wallNow` go.
    bool Poll(ProcessContext& context, SteadyTime now, WallTime wallNow);

    const std::deque<Sample>& Samples() const { return samples_; }
    // "time,TMP0,...", then one line per sample: the local time (ISO 8601), the values (empty
    // where the camera did not answer).
    std::string CsvText() const;

private:
    std::vector<const CameraReadings::Reading*> readings_;
    std::vector<std::string> names_;
    std::chrono::seconds interval_{5};
    std::optional<SteadyTime> last_;
    std::deque<Sample> samples_;
};

namespace MonitorSaving {

// "Save CSV...": the operator chooses a .csv file, confirms replacing one, and it is written
// whole or not at all. False when nothing was written.
bool SaveCsv(ProcessContext& context, OperatorWindow* owner, const ReadingMonitor& monitor);

}  // namespace MonitorSaving
