#pragma once

// What rvctl tells the shell; with several cameras, the worst (largest) of theirs.
enum ExitStatus : int {
    kSuccess = 0,
    kFailed = 1,         // the camera refused or a step failed
    kUsage = 2,          // a usage error, or a question that needs --yes
    kNoCamera = 3,       // no camera answered
    kInterrupted = 130,  // Ctrl+C: the shell's own status for an interrupted program
};

inline ExitStatus Worse(ExitStatus a, ExitStatus b) {
    return a > b ? a : b;
}
