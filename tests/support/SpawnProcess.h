#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// Starts the program with the arguments in this process's environment; each standard stream
// given as a descriptor (-1 keeps the test's own) is that descriptor in the child. The child's
// process id, or -1 when it could not be started.
pid_t SpawnProcess(const std::string& program, const std::vector<std::string>& args,
                   int standardInput, int standardOutput, int standardError);
