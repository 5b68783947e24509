#include "tools/rvctl/TerminalServices.h"

#include "core/CancelToken.h"
#include "core/ProcessContext.h"
#include "operations/CoreServices.h"
#include "tools/rvctl/AnswerClock.h"
#include "tools/rvctl/CameraOutput.h"
#include "tools/rvctl/Interruption.h"
#include "tools/rvctl/Options.h"
#include "tools/rvctl/ReadOnlySettingsBackend.h"

TerminalServices::TerminalServices(CameraOutput& output, const Options& options, bool quiet,
                                   bool progressBar)
    : notifier_(output, options.yes, quiet && !options.verbose, options.verbose),
      timeoutMs_(options.timeoutMs),
      trace_(output,
             options.verbose ? TraceLog::Destination::Messages : TraceLog::Destination::None) {
    if (progressBar) {
        progress_ = std::make_unique<TerminalProgress>(output.Screen());
    }
}

void TerminalServices::Provide(ProcessContext& context, Settings settings) {
    ProvideCoreServices(context);
    context.ProvideExternal<CancelToken>(Interruption::Token());
    context.ProvideExternal<::Notifier>(notifier_);
    context.ProvideExternal<TerminalLogSink>(trace_);
    context.ProvideExternal<FileChooser>(files_);
    if (timeoutMs_) {
        const WaitClock::Span answer(*timeoutMs_);
        context.Provide<WaitClock>(
            [answer](ProcessContext&) { return std::make_unique<AnswerClock>(answer); });
    }
    if (progress_) {
        context.ProvideExternal<ProgressSink>(*progress_);
    }
    if (settings == Settings::Window) {
        context.Provide<SettingsBackend>(ReadOnlySettingsBackend::OfTheWindow);
    } else {
        context.Provide<SettingsBackend>(
            [](ProcessContext&) { return std::make_unique<ReadOnlySettingsBackend>(nullptr); });
    }
}
