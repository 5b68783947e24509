#pragma once

#include <cstdint>
#include <optional>
#include <vector>

class ProcessContext;

// The camera's limits, readings and single look-up table entries, asked for by the buttons of
// the pages and by rvctl. Each gives nothing when the camera did not answer.
namespace CameraReadings {

std::optional<int32_t> LineRateMin(ProcessContext& context);
std::optional<int32_t> ExposureMax(ProcessContext& context);
std::optional<int32_t> ExposureMin(ProcessContext& context);
std::optional<int32_t> Temperature(ProcessContext& context);

// A value the camera tells and never takes, by the mnemonic it is asked with.
struct Reading {
    const char* mnemonic;
    std::optional<int32_t> (*read)(ProcessContext& context);
};
// TMP0 (the temperature of the sensor TMPS0 selects), PEMAX, PEMIN, ARMIN.
const std::vector<Reading>& All();

// Lets the camera choose its line rate once; the rate it chose, which the table takes.
std::optional<int32_t> RunOnePush(ProcessContext& context);

// One entry of the camera's look-up table: the index is sent, then its level asked for or sent.
std::optional<int32_t> ReadLutEntry(ProcessContext& context, int32_t index);
bool WriteLutEntry(ProcessContext& context, int32_t index, int32_t level);

}  // namespace CameraReadings
