#include "operations/PageHandlers.h"

#include <cstdlib>
#include <string>

#include "controls/ControlIds.h"
#include "controls/ControlTable.h"
#include "core/MainView.h"
#include "core/ProcessContext.h"
#include "operations/ControlBinding.h"
#include "operations/PageRules.h"
#include "protocol/CommandEngine.h"
#include "protocol/CommandIds.h"
#include "transport/CameraPort.h"

namespace {

using namespace ControlIds;

constexpr int kBaudQueryTimeoutMs = 500;
constexpr int kBaudSetTimeoutMs = 5000;
constexpr int kSensorTimeoutMs = 20000;
constexpr int kOnePushTimeoutMs = 20000;
constexpr int kLimitTimeoutMs = 5000;
constexpr int kTemperatureTimeoutMs = 500;
constexpr int kLutEntryTimeoutMs = 1000;
constexpr int kBaudIndexCount = 5;

// The camera's baud-rate code is one bit per rate: 1 (9600) up to 16 (115200); the bit's
// position is the baud index. -1 for any other value.
int32_t BaudIndexOfCode(int32_t code) {
    for (int32_t index = 0; index < kBaudIndexCount; ++index) {
        if (code == (1 << index)) {
            return index;
        }
    }
    return -1;
}

// Digits from the start of the text up to the first other character; none give 0.
int32_t DecimalPrefix(const std::string& text) {
    return static_cast<int32_t>(std::strtol(text.c_str(), nullptr, 10));
}

}  // namespace

PageHandlers::PageHandlers(ProcessContext& context, MainView& view, ControlBinding& binding)
    : context_(context), view_(view), binding_(binding) {}

void PageHandlers::OnExposureModeSelect() {
    PageRules::ApplyExposureRule(view_);
    ControlTable& table = context_.Get<ControlTable>();
    table.SetDataValue(kExposureMode, binding_.ReadControlValue(kExposureMode));
    binding_.ShowChangedValues();
    table.WriteChangedValues();
    table.UpdatePrevDataValues();
}

void PageHandlers::OnBaudRateSelect() {
    CommandEngine& engine = context_.Get<CommandEngine>();
    int32_t current = 0;
    if (!engine.GetValue(CommandIds::kCBDRT, current, kBaudQueryTimeoutMs)) {
        return;
    }
    const int32_t code = binding_.ReadControlValue(kCameraBaudRate);
    const int32_t index = BaudIndexOfCode(code);
    if (code == current || index < 0) {
        return;
    }
    ControlTable& table = context_.Get<ControlTable>();
    CameraPort& port = context_.Get<CameraPort>();
    table.SetDataValue(kCameraBaudRate, code);
    // The camera changes its rate after it acknowledged; the PC follows and the camera confirms
    // at the new rate.
    const bool cameraChanged = engine.SetValue(CommandIds::kCBDRT, code, kBaudSetTimeoutMs);
    port.SetBaudRate(CameraPort::BaudRateFromIndex(index));
    if (engine.SetValue(CommandIds::kCBDRT, code, kBaudSetTimeoutMs)) {
        view_.ShowBaudIndex(index);
        table.UpdatePrevDataValues();
        return;
    }
    const int32_t previous = table.GetPrevDataValue(kCameraBaudRate);
    const int32_t previousIndex = BaudIndexOfCode(previous);
    if (previousIndex < 0) {
        return;
    }
    if (cameraChanged) {
        // The camera took the new rate but does not confirm it: it is asked back to the previous
        // rate at the new one, so that both ends meet again instead of the link being lost.
        engine.SetValue(CommandIds::kCBDRT, previous, kBaudSetTimeoutMs);
    }
    table.SetDataValue(kCameraBaudRate, previous);
    view_.SelectIndex(kCameraBaudRate, previousIndex);
    port.SetBaudRate(CameraPort::BaudRateFromIndex(previousIndex));
}

void PageHandlers::OnSensorSelect() {
    ControlTable& table = context_.Get<ControlTable>();
    const int32_t value = binding_.ReadControlValue(kSensorSelect);
    table.SetDataValue(kSensorSelect, value);
    binding_.ShowChangedValues();
    // Switching the sensor takes the camera a while, so this one is sent on its own.
    if (context_.Get<CommandEngine>().SetValue(CommandIds::kSS, value, kSensorTimeoutMs)) {
        table.UpdatePrevDataValues();
        return;
    }
    const int32_t previous = table.GetPrevDataValue(kSensorSelect);
    table.SetDataValue(kSensorSelect, previous);
    view_.SelectIndex(kSensorSelect, previous);
}

void PageHandlers::OnOnePush() {
    context_.Get<CommandEngine>().SetValue(CommandIds::kAR, 0, kOnePushTimeoutMs);
    binding_.RefreshControl(kLineRate);  // the rate the camera chose
    PageRules::ShowLineRateTexts(context_, view_);
}

namespace {

// A limit or reading as the camera answered it; "-" when it did not, rather than a stale one.
std::string Reading(bool answered, int32_t value) {
    return answered ? std::to_string(value) : std::string("-");
}

}  // namespace

void PageHandlers::OnLineRateMinRead() {
    int32_t value = 0;
    const bool answered =
        context_.Get<CommandEngine>().GetValue(CommandIds::kARMIN, value, kLimitTimeoutMs);
    view_.SetControlText(kLineRateMinText, Reading(answered, value));
}

void PageHandlers::OnExposureLimitsRead() {
    CommandEngine& engine = context_.Get<CommandEngine>();
    int32_t value = 0;
    bool answered = engine.GetValue(CommandIds::kPEMAX, value, kLimitTimeoutMs);
    view_.SetControlText(kExposureMaxText, Reading(answered, value));
    answered = engine.GetValue(CommandIds::kPEMIN, value, kLimitTimeoutMs);
    view_.SetControlText(kExposureMinText, Reading(answered, value));
}

void PageHandlers::OnTemperatureGet() {
    int32_t value = 0;
    const bool answered =
        context_.Get<CommandEngine>().GetValue(CommandIds::kTMP0, value, kTemperatureTimeoutMs);
    view_.SetControlText(kTemperatureText, Reading(answered, value));
}

void PageHandlers::OnLutWrite() {
    CommandEngine& engine = context_.Get<CommandEngine>();
    const int32_t index = DecimalPrefix(view_.ControlText(kLutIndex));
    const int32_t data = DecimalPrefix(view_.ControlText(kLutData));
    engine.SetValue(CommandIds::kLUTI, index, kLutEntryTimeoutMs);
    engine.SetValue(CommandIds::kLUTD, data, kLutEntryTimeoutMs);
}

void PageHandlers::OnLutRead() {
    CommandEngine& engine = context_.Get<CommandEngine>();
    const int32_t index = DecimalPrefix(view_.ControlText(kLutIndex));
    engine.SetValue(CommandIds::kLUTI, index, kLutEntryTimeoutMs);
    int32_t value = 0;
    if (!engine.GetValue(CommandIds::kLUTD, value, kLutEntryTimeoutMs)) {
        // No entry came back: the edit says so instead of showing a value the camera may not hold.
        view_.SetControlText(kLutData, "-");
        return;
    }
    binding_.ShowControlValue(kLutData, value);
    ControlTable& table = context_.Get<ControlTable>();
    table.SetDataValue(kLutData, value);
    table.UpdatePrevDataValues();
}
