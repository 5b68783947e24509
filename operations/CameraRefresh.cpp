#include "operations/CameraRefresh.h"

#include "controls/CameraModel.h"
#include "controls/ControlTable.h"
#include "controls/ReadCameraSettings.h"
#include "core/DialogEnabler.h"
#include "core/MainView.h"
#include "core/ProcessContext.h"
#include "operations/ControlBinding.h"
#include "operations/PageRules.h"

void RefreshFromCamera(ProcessContext& context, MainView& view) {
    DialogEnabler& dialogs = context.Get<DialogEnabler>();
    ControlTable& table = context.Get<ControlTable>();
    ControlBinding binding(context, view);
    dialogs.EnableAll(false);
    context.Get<CameraModel>().CheckModel();
    PageRules::ApplyModelRules(context, view);
    ReadCameraSettings(context, view);
    binding.ShowAllValues();
    table.UpdatePrevDataValues();
    table.WriteChangedValues();
    table.UpdatePrevDataValues();
    binding.ShowAllValues();
    PageRules::ApplyEnableRules(view);
    PageRules::ShowLineRateTexts(context, view);
    dialogs.EnableAll(true);
}
