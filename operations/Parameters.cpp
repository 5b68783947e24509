#include "operations/Parameters.h"

#include "controls/ControlIds.h"
#include "controls/ControlTable.h"
#include "core/ProcessContext.h"
#include "operations/UnstoredChanges.h"
#include "protocol/CommandEngine.h"
#include "protocol/CommandIds.h"
#include "transport/CameraPort.h"

namespace Parameters {

namespace {

using namespace ControlIds;

constexpr int kQueryTimeoutMs = 5000;
constexpr int kBaudQueryTimeoutMs = 500;
constexpr int kBaudSetTimeoutMs = 5000;
constexpr int kSensorTimeoutMs = 20000;
constexpr int kBaudIndexCount = 5;

Result Held(ControlTable& table, int32_t ctrlId, bool accepted) {
    Result result;
    result.accepted = accepted;
    result.value = table.GetDataValue(ctrlId);
    return result;
}

// Sends the changed rows; a refusal puts the row's previous value back into the table.
Result WriteOrRestore(ControlTable& table, int32_t ctrlId) {
    if (table.WriteChangedValues()) {
        table.UpdatePrevDataValues();
        return Held(table, ctrlId, true);
    }
    table.SetDataValue(ctrlId, table.GetPrevDataValue(ctrlId));
    return Held(table, ctrlId, false);
}

// A refused exposure mode stays the table's value: the camera keeps what it had, but the page
// keeps the operator's choice, as it always has.
Result SetExposureMode(ControlTable& table, int32_t value) {
    table.SetDataValue(kExposureMode, value);
    const bool accepted = table.WriteChangedValues();
    table.UpdatePrevDataValues();
    return Held(table, kExposureMode, accepted);
}

// The camera changes its rate after it acknowledged; the PC follows and the camera confirms at
// the new rate. On failure both go back to the previous rate.
Result SetCameraBaudRate(ProcessContext& context, ControlTable& table, int32_t code) {
    CommandEngine& engine = context.Get<CommandEngine>();
    int32_t current = 0;
    const int32_t index = BaudIndexOfCode(code);
    if (!engine.GetValue(CommandIds::kCBDRT, current, kBaudQueryTimeoutMs) || index < 0) {
        return Held(table, kCameraBaudRate, false);
    }
    if (code == current) {
        return Held(table, kCameraBaudRate, true);
    }
    CameraPort& port = context.Get<CameraPort>();
    table.SetDataValue(kCameraBaudRate, code);
    const bool cameraChanged = engine.SetValue(CommandIds::kCBDRT, code, kBaudSetTimeoutMs);
    port.SetBaudRate(CameraPort::BaudRateFromIndex(index));
    if (engine.SetValue(CommandIds::kCBDRT, code, kBaudSetTimeoutMs)) {
        table.UpdatePrevDataValues();
        return Held(table, kCameraBaudRate, true);
    }
    const int32_t previous = table.GetPrevDataValue(kCameraBaudRate);
    const int32_t previousIndex = BaudIndexOfCode(previous);
    if (previousIndex < 0) {
        return Held(table, kCameraBaudRate, false);
    }
    if (cameraChanged) {
        // The camera took the new rate but does not confirm it: it is asked back to the previous
        // rate at the new one, so that both ends meet again instead of the link being lost.
        engine.SetValue(CommandIds::kCBDRT, previous, kBaudSetTimeoutMs);
    }
    table.SetDataValue(kCameraBaudRate, previous);
    port.SetBaudRate(CameraPort::BaudRateFromIndex(previousIndex));
    return Held(table, kCameraBaudRate, false);
}

// Switching the sensor takes the camera a while, so this one is sent on its own.
Result SetSensor(ProcessContext& context, ControlTable& table, int32_t value) {
    table.SetDataValue(kSensorSelect, value);
    if (context.Get<CommandEngine>().SetValue(CommandIds::kSS, value, kSensorTimeoutMs)) {
        table.UpdatePrevDataValues();
        return Held(table, kSensorSelect, true);
    }
    table.SetDataValue(kSensorSelect, table.GetPrevDataValue(kSensorSelect));
    return Held(table, kSensorSelect, false);
}

Result Send(ProcessContext& context, ControlTable& table, int32_t ctrlId, int32_t value) {
    switch (ctrlId) {
        case kExposureMode:
            return SetExposureMode(table, value);
        case kCameraBaudRate:
            return SetCameraBaudRate(context, table, value);
        case kSensorSelect:
            return SetSensor(context, table, value);
        default:
            table.SetDataValue(ctrlId, value);
            return WriteOrRestore(table, ctrlId);
    }
}

}  // namespace

int32_t BaudIndexOfCode(int32_t code) {
    for (int32_t index = 0; index < kBaudIndexCount; ++index) {
        if (code == (1 << index)) {
            return index;
        }
    }
    return -1;
}

Result Set(ProcessContext& context, int32_t ctrlId, int32_t value) {
    ControlTable& table = context.Get<ControlTable>();
    if (!table.HoldsValue(ctrlId)) {
        Result nothing;
        nothing.outcome.kind = RequestOutcome::Kind::NotSent;
        return nothing;
    }
    // The operator's value is meant for the camera, whether or not the old one was known.
    const std::optional<int32_t> before = table.KnownValue(ctrlId);
    table.MarkKnown(ctrlId, true);
    Result result = Send(context, table, ctrlId, value);
    result.outcome = context.Get<CommandEngine>().LastOutcome();
    if (result.accepted) {
        context.Get<UnstoredChanges>().Note(ctrlId, before, result.value);
        table.MarkReadBackPending(ctrlId, false);
        result.readBack = ReadBackPending(context);
    } else if (result.outcome.kind == RequestOutcome::Kind::NoAnswer) {
        table.MarkKnown(ctrlId, false);
        table.MarkReadBackPending(ctrlId, true);
    } else {
        table.MarkKnown(ctrlId, before.has_value());
    }
    return result;
}

std::optional<int32_t> Get(ProcessContext& context, int32_t ctrlId) {
    ControlTable& table = context.Get<ControlTable>();
    if (!table.HoldsValue(ctrlId)) {
        return std::nullopt;
    }
    int32_t value = 0;
    if (!context.Get<CommandEngine>().GetValue(table.ToCmdId(ctrlId), value, kQueryTimeoutMs)) {
        return std::nullopt;
    }
    table.SetDataValue(ctrlId, value);
    table.MarkKnown(ctrlId, true);
    table.MarkReadBackPending(ctrlId, false);
    return value;
}

std::vector<int32_t> ReadBackPending(ProcessContext& context) {
    ControlTable& table = context.Get<ControlTable>();
    std::vector<int32_t> pending;
    for (const ControlEntry& row : table.Entries()) {
        if (row.readBackPending) {
            pending.push_back(row.ctrlId);
        }
    }
    std::vector<int32_t> read;
    for (int32_t ctrlId : pending) {
        if (!Get(context, ctrlId)) {
            break;  // still silent: the rest waits for the next answer
        }
        read.push_back(ctrlId);
    }
    if (!read.empty()) {
        table.UpdatePrevDataValues();
    }
    return read;
}

}  // namespace Parameters
