#include "operations/CameraReadings.h"

#include "controls/ControlIds.h"
#include "core/ProcessContext.h"
#include "operations/Parameters.h"
#include "protocol/CommandEngine.h"
#include "protocol/CommandIds.h"

namespace CameraReadings {

namespace {

constexpr int kOnePushTimeoutMs = 20000;
constexpr int kLimitTimeoutMs = 5000;
constexpr int kTemperatureTimeoutMs = 500;
constexpr int kLutEntryTimeoutMs = 1000;

std::optional<int32_t> Query(ProcessContext& context, int cmdId, int timeoutMs) {
    int32_t value = 0;
    if (!context.Get<CommandEngine>().GetValue(cmdId, value, timeoutMs)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<int32_t> LineRateMin(ProcessContext& context) {
    return Query(context, CommandIds::kARMIN, kLimitTimeoutMs);
}

std::optional<int32_t> ExposureMax(ProcessContext& context) {
    return Query(context, CommandIds::kPEMAX, kLimitTimeoutMs);
}

std::optional<int32_t> ExposureMin(ProcessContext& context) {
    return Query(context, CommandIds::kPEMIN, kLimitTimeoutMs);
}

std::optional<int32_t> Temperature(ProcessContext& context) {
    return Query(context, CommandIds::kTMP0, kTemperatureTimeoutMs);
}

const std::vector<Reading>& All() {
    static const std::vector<Reading> readings = {
        {"TMP0", Temperature},
        {"PEMAX", ExposureMax},
        {"PEMIN", ExposureMin},
        {"ARMIN", LineRateMin},
    };
    return readings;
}

std::optional<int32_t> RunOnePush(ProcessContext& context) {
    context.Get<CommandEngine>().SetValue(CommandIds::kAR, 0, kOnePushTimeoutMs);
    return Parameters::Get(context, ControlIds::kLineRate);
}

std::optional<int32_t> ReadLutEntry(ProcessContext& context, int32_t index) {
    context.Get<CommandEngine>().SetValue(CommandIds::kLUTI, index, kLutEntryTimeoutMs);
    return Query(context, CommandIds::kLUTD, kLutEntryTimeoutMs);
}

bool WriteLutEntry(ProcessContext& context, int32_t index, int32_t level) {
    CommandEngine& engine = context.Get<CommandEngine>();
    const bool indexTaken = engine.SetValue(CommandIds::kLUTI, index, kLutEntryTimeoutMs);
    // The level is sent even after a refused index, as the page always did.
    return engine.SetValue(CommandIds::kLUTD, level, kLutEntryTimeoutMs) && indexTaken;
}

}  // namespace CameraReadings
