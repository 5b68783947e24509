#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "tools/rvctl/CommandLineFileChooser.h"
#include "tools/rvctl/TerminalNotifier.h"
#include "tools/rvctl/TerminalProgress.h"
#include "tools/rvctl/TraceLog.h"

class CameraOutput;
class Console;
class ProcessContext;
struct Options;

// rvctl's implementations of the core interfaces for one process context: messages, the
// trace and the progress bar on the terminal, files from the command line, and the window's
// settings read but never written.
class TerminalServices {
public:
    // quiet: operator messages only with -v; progressBar: the bar is drawn.
    TerminalServices(CameraOutput& output, const Options& options, bool quiet, bool progressBar);

    // What the context reads of the window's settings.
    enum class Settings {
        Window,  // the window's store, read through
        None,    // nothing: every value is given to the context by the program
    };

    // Before the context's first use.
    void Provide(ProcessContext& context, Settings settings);

    TerminalNotifier& Notifier() { return notifier_; }
    TraceLog& Trace() { return trace_; }
    CommandLineFileChooser& Files() { return files_; }

private:
    TerminalNotifier notifier_;
    std::optional<int32_t> timeoutMs_;
    TraceLog trace_;
    CommandLineFileChooser files_;
    std::unique_ptr<TerminalProgress> progress_;
};
