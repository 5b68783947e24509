#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/rvctl/ExitStatus.h"
#include "tools/rvctl/Options.h"
#include "tools/rvctl/PortTarget.h"

class CameraOutput;
class CommandLineFileChooser;
class ProcessContext;
class TraceLog;

// The cameras a subcommand works on.
enum class Reach {
    None,        // none: it answers from the program's tables and the system's ports
    EachCamera,  // every camera named, all at once
    OneCamera,   // exactly one
};

// What has happened on a camera's link before the subcommand runs.
enum class Link {
    Answered,  // a camera answered the model query (at one of the rates --baud allows)
    Opened,    // the port is open at the rate, and nothing was sent (--baud auto searches first)
};

// One camera as a subcommand's run has it: its own process context on its own thread. A
// subcommand without a camera gets the program's context and no port.
struct Camera {
    ProcessContext& context;
    PortTarget target;
    const Options& options;
    int32_t controlMode;  // in force for this run: 1 factory, 0 user
    CameraOutput& output;
    TraceLog& trace;
    CommandLineFileChooser& files;

    // The file name with every "{port}" replaced by this camera's port name.
    std::string PathFor(const std::string& pattern) const;
};

// An option of one subcommand: a flag, or an option with a value ("-o FILE", "--count=N").
struct OwnOption {
    const char* name;         // "-o", "--interval"
    const char* value;        // the value's name in the help, nullptr for a flag
    const char* description;  // its row in the subcommand's help
    // What is wrong with a value, or empty; nullptr takes any.
    std::string (*check)(const std::string& value) = nullptr;
};

// One subcommand. Adding one is a row in its group's table and the function it names.
struct Subcommand {
    const char* name;
    const char* synopsis;  // its operands, as the usage line shows them before its options
    const char* summary;   // one line of rvctl's help
    const char* help;      // the rest of its own help
    Reach reach;
    Link link;
    // With no port named, every port of the link's category is searched, and ports without a
    // camera are no failure.
    bool searchesAllPorts;
    // Checks the operands before any port opens: the usage error, or empty when they are fine.
    std::string (*check)(const Options& options, int32_t controlMode);
    ExitStatus (*run)(Camera& camera);
    std::vector<OwnOption> options = {};
};
