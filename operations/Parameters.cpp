#include "operations/Parameters.h"

#include "controls/ControlCatalog.h"
#include "controls/ControlDefinition.h"
#include "controls/ControlIds.h"
#include "controls/ControlTable.h"
#include "core/ControlMode.h"
#include "core/ProcessContext.h"
#include "operations/UnstoredChanges.h"
#include "protocol/CommandEngine.h"
#include "protocol/CommandIds.h"
#include "transport/CameraPort.h"

namespace Parameters {

namespace {

using namespace ControlIds;

constexpr int kQueryTimeoutMs = 5000;
constexpr int kSetTimeoutMs = 5000;
constexpr int kBaudQueryTimeoutMs = 500;
constexpr int kBaudSetTimeoutMs = 5000;
constexpr int kSensorTimeoutMs = 20000;
constexpr int kBaudIndexCount = 5;

RequestOutcome OutcomeOf(RequestOutcome::Kind kind) {
    RequestOutcome outcome;
    outcome.kind = kind;
    return outcome;
}

// What a request's sequence tells: how it ended, and the value the camera holds after a failure
// when the sequence itself knows it.
struct Sent {
    RequestOutcome outcome;
    std::optional<int32_t> heldAfterFailure;
};

// The camera changes its rate after it acknowledged; the PC follows and the camera confirms at
// the new rate. On failure both go back to the rate the camera had.
Sent SendCameraBaudRate(ProcessContext& context, int32_t code) {
    CommandEngine& engine = context.Get<CommandEngine>();
    int32_t current = 0;
    if (!engine.GetValue(CommandIds::kCBDRT, current, kBaudQueryTimeoutMs)) {
        return {engine.LastOutcome(), std::nullopt};
    }
    if (code == current) {
        return {OutcomeOf(RequestOutcome::Kind::Answered), std::nullopt};
    }
    CameraPort& port = context.Get<CameraPort>();
    const bool cameraChanged = engine.SetValue(CommandIds::kCBDRT, code, kBaudSetTimeoutMs);
    port.SetBaudRate(CameraPort::BaudRateFromIndex(BaudIndexOfCode(code)));
    if (engine.SetValue(CommandIds::kCBDRT, code, kBaudSetTimeoutMs)) {
        return {engine.LastOutcome(), std::nullopt};
    }
    const RequestOutcome failure = engine.LastOutcome();
    const int32_t previousIndex = BaudIndexOfCode(current);
    if (previousIndex >= 0) {
        if (cameraChanged) {
            // The camera took the new rate but does not confirm it: it is asked back to the
            // previous rate at the new one, so that both ends meet again instead of the link
            // being lost.
            engine.SetValue(CommandIds::kCBDRT, current, kBaudSetTimeoutMs);
        }
        port.SetBaudRate(CameraPort::BaudRateFromIndex(previousIndex));
    }
    // What is told is the confirmation's failure, not the way back; both ends are at the rate
    // the camera had.
    return {failure, current};
}

Sent SendRequest(ProcessContext& context, int32_t ctrlId, int32_t cmdId, int32_t value) {
    if (ctrlId == kCameraBaudRate) {
        return SendCameraBaudRate(context, value);
    }
    // Switching the sensor takes the camera a while.
    const int timeoutMs = ctrlId == kSensorSelect ? kSensorTimeoutMs : kSetTimeoutMs;
    CommandEngine& engine = context.Get<CommandEngine>();
    engine.SetValue(cmdId, value, timeoutMs);
    return {engine.LastOutcome(), std::nullopt};
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

std::string Check(ProcessContext& context, int32_t ctrlId, int64_t value) {
    ControlTable& table = context.Get<ControlTable>();
    const CatalogEntry* entry = ControlCatalog::Find(ctrlId);
    if (entry == nullptr || !table.HoldsValue(ctrlId)) {
        return "not a parameter";
    }
    if (table.IsFactoryParam(ctrlId) && !context.Get<ControlMode>().IsFactory()) {
        return "a factory parameter: switch to factory mode first";
    }
    if (!entry->items.empty()) {
        const bool fits = value >= INT32_MIN && value <= INT32_MAX &&
                          ControlCatalog::FindItem(*entry, static_cast<int32_t>(value)) != nullptr;
        return fits ? std::string()
                    : std::to_string(value) + " is none of its items (" +
                          ControlCatalog::Choices(*entry) + ")";
    }
    const ControlDefinition& row = ControlCatalog::Definition(*entry);
    if (value < row.minValue || value > row.maxValue) {
        return std::to_string(value) + " is out of range " + std::to_string(row.minValue) + " to " +
               std::to_string(row.maxValue);
    }
    return std::string();
}

Result Set(ProcessContext& context, int32_t ctrlId, int64_t value) {
    Result result;
    result.whyNotSent = Check(context, ctrlId, value);
    ControlTable& table = context.Get<ControlTable>();
    result.value = table.KnownValue(ctrlId);
    if (!result.whyNotSent.empty()) {
        result.outcome = OutcomeOf(RequestOutcome::Kind::NotSent);
        return result;
    }
    const int32_t requested = static_cast<int32_t>(value);
    const std::optional<int32_t> before = result.value;
    result.sent = true;
    const Sent sent = SendRequest(context, ctrlId, table.ToCmdId(ctrlId), requested);
    result.outcome = sent.outcome;
    if (result.Taken()) {
        table.Told(ctrlId, requested);
        result.value = requested;
        context.Get<UnstoredChanges>().Note(ctrlId, before, requested);
        result.readBack = ReadBackPending(context);
    } else if (sent.heldAfterFailure) {
        table.Told(ctrlId, *sent.heldAfterFailure);
        result.value = sent.heldAfterFailure;
    } else if (result.outcome.kind == RequestOutcome::Kind::NoAnswer) {
        // The camera may have taken it: unknown until it is read back.
        table.Unanswered(ctrlId);
        result.value.reset();
    } else {
        // The camera kept a value of its own: that is what the page shows again. Without an
        // answer to the read, a refusal still leaves the value it had.
        if (const std::optional<int32_t> held = Get(context, ctrlId)) {
            result.value = held;
        }
        if (result.value == requested) {
            // A garbled confirmation: the camera holds the value all the same.
            result.outcome = OutcomeOf(RequestOutcome::Kind::Answered);
            context.Get<UnstoredChanges>().Note(ctrlId, before, requested);
        }
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
    table.Told(ctrlId, value);
    return value;
}

std::vector<int32_t> ReadBackPending(ProcessContext& context) {
    std::vector<int32_t> read;
    for (int32_t ctrlId : context.Get<ControlTable>().UnansweredRows()) {
        if (!Get(context, ctrlId)) {
            break;  // still silent: the rest waits for the next answer
        }
        read.push_back(ctrlId);
    }
    return read;
}

}  // namespace Parameters
