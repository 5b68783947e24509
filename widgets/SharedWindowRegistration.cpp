#include "widgets/SharedWindowRegistration.h"

#include "core/ProcessContext.h"
#include "widgets/DialogRegistry.h"
#include "widgets/StatusStrip.h"

SharedWindowRegistration::SharedWindowRegistration(ProcessContext& context, QWidget* window,
                                                   OnlineStatusUpdater* updater)
    : context_(context), window_(window), updater_(updater) {
    context_.Get<StatusStrip>().Register(updater_);
    context_.Get<DialogRegistry>().Register(window_);
}

SharedWindowRegistration::~SharedWindowRegistration() {
    context_.Get<StatusStrip>().Unregister(updater_);
    context_.Get<DialogRegistry>().Unregister(window_);
}
