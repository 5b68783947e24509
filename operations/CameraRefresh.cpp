#include "operations/CameraRefresh.h"

#include "controls/CameraModel.h"
#include "controls/ReadCameraSettings.h"
#include "core/DialogEnabler.h"
#include "core/MainView.h"
#include "core/OperationScope.h"
#include "core/ProcessContext.h"
#include "core/StatusLine.h"
#include "operations/ControlBinding.h"
#include "operations/OutcomeText.h"
#include "operations/PageRules.h"

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

void ShowCameraValues(ProcessContext& context, MainView& view) {
    view.Activate();
    PageRules::ApplyModelRules(context, view);
    ControlBinding(context, view).ShowAllValues();
    PageRules::ApplyEnableRules(view);
    PageRules::ShowLineRateTexts(context, view);
    context.Get<StatusLine>().ShowLink(OutcomeText::ForLink(context));
}

void RefreshFromCamera(ProcessContext& context, MainView& view) {
    // Not the words of what came before (the start-up's "Looking for the camera") while the
    // settings are read.
    StatusLine& status = context.Get<StatusLine>();
    status.ShowOutcome(OutcomeText::kReadingSettings);
    const CameraReading reading = ReadCamera(context, &view);
    ShowCameraValues(context, view);
    status.ShowOutcome(OutcomeText::ForReading(reading.supported, reading.unanswered));
}
