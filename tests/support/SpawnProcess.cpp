#include "tests/support/SpawnProcess.h"

#include <spawn.h>
#include <unistd.h>

extern char** environ;

pid_t SpawnProcess(const std::string& program, const std::vector<std::string>& args,
                   int standardInput, int standardOutput, int standardError) {
    std::vector<std::string> all = {program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const int streams[] = {standardInput, standardOutput, standardError};
    const int targets[] = {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO};
    for (int i = 0; i < 3; ++i) {
        if (streams[i] >= 0) {
            posix_spawn_file_actions_adddup2(&actions, streams[i], targets[i]);
        }
    }
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}
