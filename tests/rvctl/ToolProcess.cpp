#include "tests/rvctl/ToolProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "tests/support/SpawnProcess.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Pipe {
    int read = -1;
    int write = -1;
    bool Open() {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) {
            return false;
        }
        read = fds[0];
        write = fds[1];
        return true;
    }
};

}  // namespace

ToolRun RunTool(const std::string& program, const std::vector<std::string>& args,
                const std::string& input, std::chrono::milliseconds limit,
                const std::function<bool()>& interruptWhen, int signal) {
    ToolRun run;
    Pipe in, out, err;
    if (!in.Open() || !out.Open() || !err.Open()) {
        return run;
    }
    const Clock::time_point start = Clock::now();
    const pid_t pid = SpawnProcess(program, args, in.read, out.write, err.write);
    const bool spawned = pid > 0;
    close(in.read);
    close(out.write);
    close(err.write);
    // A program that ends before it read its input must fail its test, not kill the test with
    // SIGPIPE and leave the simulated cameras running.
    ::signal(SIGPIPE, SIG_IGN);
    if (spawned && !input.empty()) {
        // Small inputs fit the pipe, so this does not wait for the program to read them.
        const ssize_t written = write(in.write, input.data(), input.size());
        static_cast<void>(written);
    }
    close(in.write);
    if (!spawned) {
        close(out.read);
        close(err.read);
        return run;
    }

    pollfd streams[2] = {{out.read, POLLIN, 0}, {err.read, POLLIN, 0}};
    std::string* texts[2] = {&run.out, &run.err};
    int open = 2;
    bool killed = false;
    bool interrupted = false;
    // How often interruptWhen is asked.
    constexpr int kWatchMs = 20;
    while (open > 0) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(start + limit - Clock::now());
        if (left.count() <= 0 && !killed) {
            kill(pid, SIGKILL);
            killed = true;
        }
        const bool watching = interruptWhen && !interrupted;
        if (watching && interruptWhen()) {
            kill(pid, signal);
            interrupted = true;
        }
        int waitMs = killed ? 1000 : static_cast<int>(left.count());
        if (watching) {
            waitMs = std::min(waitMs, kWatchMs);
        }
        if (poll(streams, 2, waitMs) <= 0) {
            continue;
        }
        for (int i = 0; i < 2; ++i) {
            if (streams[i].fd < 0 || streams[i].revents == 0) {
                continue;
            }
            char buffer[4096];
            const ssize_t got = read(streams[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                texts[i]->append(buffer, static_cast<std::size_t>(got));
            } else {
                close(streams[i].fd);
                streams[i].fd = -1;
                --open;
            }
        }
    }
    int status = 0;
    waitpid(pid, &status, 0);
    run.took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    run.status = !killed && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}
