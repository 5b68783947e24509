#include <signal.h>

#include <cstdio>
#include <string>

#include "core/Version.h"
#include "tools/rvsim/SimOptions.h"
#include "tools/rvsim/SimServer.h"

namespace {

SimServer* g_server = nullptr;  // the one server, for the signal handler

void OnStopSignal(int) {
    if (g_server) {
        g_server->RequestStop();
    }
}

void InstallSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        sigaction(signal, &action, nullptr);
    }
    action.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &action, nullptr);
}

}  // namespace

int main(int argc, char* argv[]) {
    SimOptions options;
    std::string error;
    if (!ParseSimOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "rvsim: %s\nTry 'rvsim --help'.\n", error.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(SimUsage().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("rvsim %s\n", kProgramVersion);
        return 0;
    }
    SimServer server(options);
    g_server = &server;
    InstallSignalHandlers();
    if (!server.Open(error)) {
        std::fprintf(stderr, "rvsim: %s\n", error.c_str());
        g_server = nullptr;
        return 1;
    }
    std::printf("%s\n", server.DevicePath().c_str());
    std::fflush(stdout);
    const int status = server.Run();
    g_server = nullptr;
    return status;
}
