#include "presenters/LinkWatch.h"

#include "core/OperationScope.h"
#include "core/ProcessContext.h"
#include "operations/FlashAreas.h"
#include "presenters/PageValues.h"
#include "protocol/CommandEngine.h"

namespace LinkWatch {

LinkChange Tick(ProcessContext& context, MainView& view, int32_t& currentArea) {
    // No port was ever opened: nothing to watch, and nothing is made just to watch it.
    if (!context.Has<CameraPort>() || context.Get<CommandEngine>().Busy()) {
        return LinkChange::None;
    }
    const LinkChange change = context.Get<CameraPort>().CheckLink();
    if (change == LinkChange::Back) {
        const OperationScope operation(context);
        PageValues::Reload(context, view, currentArea);
    }
    return change;
}

}  // namespace LinkWatch
