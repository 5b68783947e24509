#pragma once

class CancelToken;

// Ctrl+C, and the SIGTERM of timeout(1) or systemd and the SIGHUP of a closed terminal: the
// first one asks every camera's operation to stop after its request in flight, so that no reply
// is left on the line for the next run and no file is left half written; rvctl then ends with
// the shell's status for that signal (130, 143, 129). A second one ends the program at once.
namespace Interruption {

// The token every camera's context shares.
CancelToken& Token();
// Installs the handler of SIGINT, SIGTERM and SIGHUP.
void Catch();
bool Happened();
// 128 plus the number of the signal that came first.
int ExitStatus();

}  // namespace Interruption
