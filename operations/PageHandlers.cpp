#include "operations/PageHandlers.h"

#include <cstdlib>
#include <optional>
#include <string>

#include "controls/ControlIds.h"
#include "controls/ControlTable.h"
#include "core/MainView.h"
#include "core/ProcessContext.h"
#include "operations/CameraReadings.h"
#include "operations/ControlBinding.h"
#include "operations/PageRules.h"
#include "operations/Parameters.h"

namespace {

using namespace ControlIds;

// Digits from the start of the text up to the first other character; none give 0.
int32_t DecimalPrefix(const std::string& text) {
    return static_cast<int32_t>(std::strtol(text.c_str(), nullptr, 10));
}

// A limit or reading as the camera answered it; "-" when it did not, rather than a stale one.
std::string Reading(const std::optional<int32_t>& value) {
    return value ? std::to_string(*value) : std::string("-");
}

}  // namespace

PageHandlers::PageHandlers(ProcessContext& context, MainView& view, ControlBinding& binding)
    : context_(context), view_(view), binding_(binding) {}

void PageHandlers::OnExposureModeSelect() {
    PageRules::ApplyExposureRule(view_);
    const Parameters::Result result =
        Parameters::Set(context_, kExposureMode, binding_.ReadControlValue(kExposureMode));
    binding_.ShowControlValue(kExposureMode, result.value);
}

void PageHandlers::OnBaudRateSelect() {
    const Parameters::Result result =
        Parameters::Set(context_, kCameraBaudRate, binding_.ReadControlValue(kCameraBaudRate));
    if (result.accepted) {
        view_.ShowBaudIndex(Parameters::BaudIndexOfCode(result.value));
    } else {
        binding_.ShowControlValue(kCameraBaudRate, result.value);
    }
}

void PageHandlers::OnSensorSelect() {
    const Parameters::Result result =
        Parameters::Set(context_, kSensorSelect, binding_.ReadControlValue(kSensorSelect));
    if (!result.accepted) {
        view_.SelectIndex(kSensorSelect, result.value);
    }
}

void PageHandlers::OnOnePush() {
    if (const std::optional<int32_t> rate = CameraReadings::RunOnePush(context_)) {
        binding_.ShowControlValue(kLineRate, *rate);
    }
    PageRules::ShowLineRateTexts(context_, view_);
}

void PageHandlers::OnLineRateMinRead() {
    view_.SetControlText(kLineRateMinText, Reading(CameraReadings::LineRateMin(context_)));
}

void PageHandlers::OnExposureLimitsRead() {
    view_.SetControlText(kExposureMaxText, Reading(CameraReadings::ExposureMax(context_)));
    view_.SetControlText(kExposureMinText, Reading(CameraReadings::ExposureMin(context_)));
}

void PageHandlers::OnTemperatureGet() {
    view_.SetControlText(kTemperatureText, Reading(CameraReadings::Temperature(context_)));
}

void PageHandlers::OnLutWrite() {
    CameraReadings::WriteLutEntry(context_, DecimalPrefix(view_.ControlText(kLutIndex)),
                                  DecimalPrefix(view_.ControlText(kLutData)));
}

void PageHandlers::OnLutRead() {
    const std::optional<int32_t> level =
        CameraReadings::ReadLutEntry(context_, DecimalPrefix(view_.ControlText(kLutIndex)));
    if (!level) {
        // No entry came back: the edit says so instead of showing a value the camera may not hold.
        view_.SetControlText(kLutData, "-");
        return;
    }
    binding_.ShowControlValue(kLutData, *level);
    ControlTable& table = context_.Get<ControlTable>();
    table.SetDataValue(kLutData, *level);
    table.UpdatePrevDataValues();
}
