#include "operations/ReadingMonitor.h"

#include <ctime>

#include "core/LocalTime.h"
#include "core/OperationScope.h"
#include "core/ProcessContext.h"
#include "operations/CameraReadings.h"
#include "operations/LogFileSaving.h"
#include "protocol/CommandEngine.h"

namespace {

std::string LocalTimeText(ReadingMonitor::WallTime time) {
    const std::tm local = LocalTime(time);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

}  // namespace

ReadingMonitor::ReadingMonitor(bool factoryMode) {
    // The temperature first; the limits only for the factory.
    for (const CameraReadings::Reading& reading : CameraReadings::All()) {
        if (reading.read == CameraReadings::Temperature) {
            readings_.insert(readings_.begin(), &reading);
        } else if (factoryMode) {
            readings_.push_back(&reading);
        }
    }
    for (const CameraReadings::Reading* reading : readings_) {
        names_.emplace_back(reading->mnemonic);
    }
}

bool ReadingMonitor::SetInterval(std::chrono::seconds interval) {
    if (interval < kShortestInterval || interval > kLongestInterval) {
        return false;
    }
    interval_ = interval;
    return true;
}

bool ReadingMonitor::Due(SteadyTime now) const {
    return !last_ || now - *last_ >= interval_;
}

bool ReadingMonitor::Poll(ProcessContext& context, SteadyTime now, WallTime wallNow) {
    if (!Due(now) || context.Get<CommandEngine>().Busy() || OperationScope::Running(context)) {
        return false;
    }
    last_ = now;
    Sample sample{wallNow, {}};
    // A camera that leaves one unanswered is not asked the rest: one time-out a sample.
    bool answered = true;
    for (std::size_t i = 0; i < readings_.size(); ++i) {
        std::optional<int32_t> value;
        if (answered) {
            value = readings_[i]->read(context);
            answered = value.has_value();
        }
        sample.values.push_back(value);
    }
    samples_.push_back(std::move(sample));
    while (!samples_.empty() && samples_.front().time < wallNow - kKept) {
        samples_.pop_front();
    }
    return true;
}

std::string ReadingMonitor::CsvText() const {
    std::string text = "time";
    for (const std::string& name : names_) {
        text += "," + name;
    }
    text += "\n";
    for (const Sample& sample : samples_) {
        text += LocalTimeText(sample.time);
        for (const std::optional<int32_t>& value : sample.values) {
            text += "," + (value ? std::to_string(*value) : std::string());
        }
        text += "\n";
    }
    return text;
}

namespace MonitorSaving {

bool SaveCsv(ProcessContext& context, OperatorWindow* owner, const ReadingMonitor& monitor) {
    // The monitor changes no stored setting, not even the log folder.
    return LogFileSaving::SaveTextFile(
        context, owner, LogFileSaving::kCsvFile, [&monitor] { return monitor.CsvText(); }, false);
}

}  // namespace MonitorSaving
