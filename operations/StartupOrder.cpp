#include "operations/StartupOrder.h"

#include "core/ControlMode.h"
#include "core/ProcessContext.h"
#include "core/SettingsStore.h"
#include "operations/CameraConnection.h"
#include "protocol/CommandEngine.h"

void CreateProcessObjectsInOrder(ProcessContext& context) {
    context.Get<SettingsStore>();
    context.Get<CommandEngine>();
    context.Get<ControlMode>();
    CameraConnection::ApplyPreviousShutdown(context);
}
