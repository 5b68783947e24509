#include "app/WidgetServices.h"

#include "app/WidgetOperatorDialogs.h"
#include "app/WindowStatusLine.h"
#include "core/DialogEnabler.h"
#include "core/OnlineStatusSink.h"
#include "core/ProcessContext.h"
#include "core/ProgressSink.h"
#include "core/StatusLine.h"
#include "operations/ProtocolLogs.h"
#include "resources/Resources.h"
#include "widgets/AccessibleNames.h"
#include "widgets/DesktopDocumentOpener.h"
#include "widgets/DialogRegistry.h"
#include "widgets/FileDialogChooser.h"
#include "widgets/ProgressDialog.h"
#include "widgets/StatusStrip.h"
#include "widgets/WindowWaitFeedback.h"

void ProvideWidgetServices(ProcessContext& context) {
    InitialiseResources();
    // Before the first window: a screen reader that asks while a list is being made would
    // otherwise keep Qt's name for it.
    InstallAccessibleNames();
    // rvcore asks for the interface, the windows for the concrete class; both must reach the
    // one object. The concrete class owns its entry; the interface entry only points at it and,
    // being made after it, goes first at exit.
    context.ProvideAs<OnlineStatusSink, StatusStrip>();
    context.ProvideAs<DialogEnabler, DialogRegistry>();
    context.ProvideAs<ProgressSink, ProgressDialog>();
    context.ProvideAs<StatusLine, WindowStatusLine>();
    context.Provide<WaitFeedback>(
        [](ProcessContext&) { return std::make_unique<WindowWaitFeedback>(); });
    context.Provide<FileChooser>(
        [](ProcessContext&) { return std::make_unique<FileDialogChooser>(); });
    // The communication dialog and the terminal show the protocol trace.
    ProvideProtocolLogs(context);
    context.Provide<OperatorDialogs>(
        [](ProcessContext& owner) { return std::make_unique<WidgetOperatorDialogs>(owner); });
    context.Provide<DocumentOpener>(
        [](ProcessContext&) { return std::make_unique<DesktopDocumentOpener>(); });
}
