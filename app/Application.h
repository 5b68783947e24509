#pragma once

class ProcessContext;

// The application object: runs the main window as a modal dialog and ends when it closes.
class Application {
public:
    explicit Application(ProcessContext& context) : context_(context) {}
    int Run();

private:
    ProcessContext& context_;
};
