#include "operations/CameraConnection.h"

#include <string>

#include "controls/CameraModel.h"
#include "core/CancelToken.h"
#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "core/SettingsStore.h"
#include "protocol/CommandEngine.h"
#include "protocol/CommandIds.h"
#include "transport/CameraPort.h"

namespace CameraConnection {

namespace {
constexpr int kAreaQueryTimeoutMs = 5000;
constexpr int32_t kFastestBaudIndex = kSearchedRates - 1;
}  // namespace

void ApplyPreviousShutdown(ProcessContext& context) {
    if (!context.Get<SettingsStore>().PreviousShutdownNormal()) {
        context.Get<CameraPort>().SetCategory(kComCategory);
    }
}

void ReportOpenFailure(ProcessContext& context) {
    const std::string reason = context.Get<CameraPort>().OpenFailureReason();
    context.Get<Notifier>().Warn("Failed to initialize!" +
                                 (reason.empty() ? std::string() : "\n" + reason));
}

bool ConnectCamera(ProcessContext& context, int32_t& currentArea) {
    if (!context.Get<CameraPort>().Reopen()) {
        ReportOpenFailure(context);
        return false;
    }
    const bool answered = context.Get<CameraModel>().CheckModel();
    context.Get<CommandEngine>().GetValue(CommandIds::kEA, currentArea, kAreaQueryTimeoutMs);
    return answered;
}

bool SearchBaudRate(ProcessContext& context, const std::function<void(int32_t)>& showBaudIndex) {
    CameraPort& port = context.Get<CameraPort>();
    // Another program's port stays its own at every rate: its refusal was told once already.
    if (port.PortInUse()) {
        return false;
    }
    const CancelToken& cancel = context.Get<CancelToken>();
    for (int32_t index = kFastestBaudIndex; index >= 0 && !cancel.Requested(); --index) {
        if (!port.SetBaudRate(CameraPort::BaudRateFromIndex(index)) && port.PortInUse()) {
            return false;
        }
        if (showBaudIndex) {
            showBaudIndex(index);
        }
        if (context.Get<CameraModel>().CheckModel()) {
            return true;
        }
    }
    return false;
}

}  // namespace CameraConnection
