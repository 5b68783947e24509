#include "operations/CameraRefresh.h"

#include "controls/CameraModel.h"
#include "controls/ReadCameraSettings.h"
#include "core/DialogEnabler.h"
#include "core/OperationScope.h"
#include "core/ProcessContext.h"

CameraReading ReadCamera(ProcessContext& context, OperatorWindow* owner) {
    const OperationScope operation(context);
    DialogEnabler& dialogs = context.Get<DialogEnabler>();
    dialogs.EnableAll(false);
    CameraModel& model = context.Get<CameraModel>();
    model.CheckModel();
    CameraReading reading;
    reading.supported = model.IsSupported();
    reading.unanswered = ReadCameraSettings(context, owner);
    dialogs.EnableAll(true);
    return reading;
}
