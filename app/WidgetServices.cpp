#include "app/WidgetServices.h"

#include "app/CProgressBarDialog.h"
#include "app/DialogEnabler.h"
#include "app/DialogRegistry.h"
#include "app/OnlineStatusSink.h"
#include "app/ProcessContext.h"
#include "app/ProgressSink.h"
#include "app/StatusStrip.h"
#include "resources/Resources.h"

void ProvideWidgetServices(ProcessContext& context) {
    InitialiseResources();
    // rvcore asks for the interface, the windows for the concrete class; both must reach the
    // one object. The concrete class owns its entry; the interface entry only points at it and,
    // being made after it, goes first at exit.
    context.ProvideAs<OnlineStatusSink, StatusStrip>();
    context.ProvideAs<DialogEnabler, DialogRegistry>();
    context.ProvideAs<ProgressSink, CProgressBarDialog>();
}
