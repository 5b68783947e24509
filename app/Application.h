#pragma once

class ProcessContext;

// The application object: shows the main window and runs until it closes.
class Application {
public:
    explicit Application(ProcessContext& context) : context_(context) {}
    int Run();

private:
    ProcessContext& context_;
};
