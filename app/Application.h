#pragma once

#include <string>
#include <utility>

class ProcessContext;

// The application object: shows the main window and runs until it closes.
class Application {
public:
    // file: a camera settings file given to the program, offered once the camera is connected.
    explicit Application(ProcessContext& context, std::string file = std::string())
        : context_(context), file_(std::move(file)) {}
    int Run();

private:
    ProcessContext& context_;
    std::string file_;
};
