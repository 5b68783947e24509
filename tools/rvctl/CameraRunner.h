#pragma once

#include <cstdint>
#include <vector>

#include "tools/rvctl/ExitStatus.h"
#include "tools/rvctl/PortTarget.h"

class Console;
struct Options;
struct Subcommand;

// The cameras of one run and how they are handled.
struct CameraRun {
    const Subcommand& subcommand;
    const Options& options;
    int32_t controlMode;
    std::vector<PortTarget> targets;
    // A search over every port of a category: ports without a camera are no failure.
    bool searching = false;
    bool progressBar = false;
};

// Runs the subcommand on every camera at once, each on a thread of its own with its own process
// context and port, so that a camera that does not answer holds up none of the others. Returns
// the worst of their statuses; a search fails only when it found no camera at all.
ExitStatus RunOnCameras(const CameraRun& run, Console& console);
