// terminal: the raw command terminal, on standard input and output.
#include <chrono>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "operations/TerminalLogic.h"
#include "protocol/CommandEngine.h"
#include "tools/rvctl/CameraOutput.h"
#include "tools/rvctl/InputLines.h"
#include "tools/rvctl/Subcommands.h"
#include "tools/rvctl/TraceLog.h"
#include "transport/CameraPort.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDefaultQuietMs = 1000;

const char kRaw[] = "--raw";

// The program's --timeout is here how long the last reply is waited for after the end of the
// input.
std::string CheckTerminal(const Options& options, int32_t) {
    return options.operands.empty()
               ? std::string()
               : "terminal takes only --raw and --timeout MS, not \"" + options.operands[0] + "\"";
}

// Sends each line as it comes and drains the link as the window's timer does, until the input
// ended and the link stayed quiet for the time-out.
ExitStatus RunTerminal(Camera& camera) {
    const std::chrono::milliseconds quiet(camera.options.timeoutMs.value_or(kDefaultQuietMs));
    camera.trace.SendTo(TraceLog::Destination::Results);
    if (camera.options.Has(kRaw)) {
        camera.output.KeepControlCharacters();
    }
    CommandEngine& engine = camera.context.Get<CommandEngine>();
    bool sent = false;
    bool refused = false;  // a factory command outside factory mode
    uint64_t received = camera.trace.ReceivedCount();
    Clock::time_point lastActivity = Clock::now();
    InputLines input(std::cin);
    for (;;) {
        for (const std::string& line :
             input.Take(std::chrono::milliseconds(CommandEngine::kDrainPeriodMs))) {
            if (!TerminalLogic::Send(camera.context, line)) {
                refused = true;
                continue;
            }
            sent = true;
            lastActivity = Clock::now();
        }
        {
            const IdleLineScope idle(camera.context);
            engine.OnTimer();
        }
        // A session outlives a pulled adapter: the port is opened again once it is back.
        camera.context.Get<CameraPort>().CheckLink();
        if (camera.trace.ReceivedCount() != received) {
            received = camera.trace.ReceivedCount();
            lastActivity = Clock::now();
        }
        if (input.Ended() && Clock::now() - lastActivity >= quiet) {
            break;
        }
    }
    if (sent && received == 0) {
        camera.output.Error("nothing came back");
        return kNoCamera;
    }
    return refused ? kFailed : kSuccess;
}

const std::vector<OwnOption> kTerminalOptions = {
    {kRaw, nullptr, "the camera's control characters as they came"},
};

}  // namespace

std::vector<Subcommand> TerminalCommands() {
    return {
        {"terminal", "[--raw] [--timeout MS]",
         "raw lines from standard input; the stamped trace on output",
         "Sends every line of standard input to the camera exactly as typed, followed by CR LF,\n"
         "and prints every line sent and received with the terminal log's time stamp in UTC\n"
         "(\"12:34:05:007  Tx: GA?\"). Works typed and in a pipe; ends at the end of the input "
         "once\n"
         "the camera has said nothing for MS milliseconds (default 1000). The port opens at\n"
         "--baud (9600 bit/s by default) and nothing else is sent; --baud auto searches for the\n"
         "camera first. One port only. Exit status 3 when lines were sent and nothing came back.\n"
         "A factory command (its mnemonic ends in 00 or is a factory parameter's) is sent only\n"
         "with --factory; without it the line is left out and the exit status is 1.\n"
         "Control characters the camera sends are shown as \\xHH, so that they cannot rewrite\n"
         "the terminal; --raw prints them as they came.\n",
         Reach::OneCamera, Link::Opened, false, CheckTerminal, RunTerminal, kTerminalOptions},
    };
}
