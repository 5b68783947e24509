#include "presenters/PageHandlers.h"

#include <cstdlib>
#include <optional>
#include <string>

#include "controls/ControlIds.h"
#include "core/LeadingNumber.h"
#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "operations/CameraReadings.h"
#include "presenters/ControlBinding.h"
#include "presenters/MainView.h"
#include "presenters/PageRules.h"

namespace {

using namespace ControlIds;

// A limit or reading as the camera answered it; "-" when it did not, rather than a stale one.
std::string Reading(const std::optional<int32_t>& value) {
    return value ? std::to_string(*value) : std::string("-");
}

}  // namespace

PageHandlers::PageHandlers(ProcessContext& context, MainView& view, ControlBinding& binding)
    : context_(context), view_(view), binding_(binding) {}

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
    // Without an answer the last reading stays: the query's failure says what went wrong.
    if (const std::optional<int32_t> reading = CameraReadings::Temperature(context_)) {
        view_.SetControlText(kTemperatureText, std::to_string(*reading));
    }
}

void PageHandlers::OnLutWrite() {
    const std::string data = view_.ControlText(kLutData);
    if (data.find_first_of("0123456789") == std::string::npos) {
        // After a failed read the field shows "-": writing it would send a level of 0.
        context_.Get<Notifier>().Tell(
            "LUT Data holds no level: nothing was written.\nRead the entry or type a level.",
            MessageIcon::Warning);
        return;
    }
    CameraReadings::WriteLutEntry(context_, LeadingNumber(view_.ControlText(kLutIndex)),
                                  LeadingNumber(data));
}

void PageHandlers::OnLutRead() {
    const std::optional<int32_t> level =
        CameraReadings::ReadLutEntry(context_, LeadingNumber(view_.ControlText(kLutIndex)));
    if (!level) {
        // No entry came back: the edit says so instead of showing a value the camera may not hold.
        view_.SetControlText(kLutData, "-");
        return;
    }
    binding_.ShowControlValue(kLutData, *level);
}
