#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/ProcessContext.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/ScriptedFileChooser.h"

// A scratch folder, removed with everything in it when the test ends.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// A process context for one test: operator messages are recorded, file dialogs are answered
// from a script (cancelled unless the test queued an answer, so that no real dialog ever
// waits), and the settings live in a file of a private folder (also exported as
// RVTOOL_SETTINGS for code that reads it itself).
class TestContext {
public:
    // prepare runs on every fresh context, before first use (widget tests provide the widget
    // services there).
    explicit TestContext(std::function<void(ProcessContext&)> prepare = nullptr);
    ~TestContext();

    ProcessContext& Context() { return *context_; }
    RecordingNotifier& Notifier() { return notifier_; }
    ScriptedFileChooser& Files() { return files_; }
    const std::string& SettingsPath() const { return settingsPath_; }
    const TemporaryFolder& Folder() const { return folder_; }

    // Ends the current "run": destroys every process-wide object (the exit-time saves run),
    // then starts a fresh context on the same settings file.
    void Restart();

private:
    void Prepare();

    std::function<void(ProcessContext&)> prepare_;
    TemporaryFolder folder_;
    std::string settingsPath_;
    RecordingNotifier notifier_;
    ScriptedFileChooser files_;
    std::unique_ptr<ProcessContext> context_;
};
