#pragma once

class CancelToken;

// Ctrl+C: the first one asks every camera's operation to stop after its request in flight
// (rvctl then ends with status 130); a second one ends the program at once.
namespace Interruption {

// The token every camera's context shares.
CancelToken& Token();
// Installs the handler of SIGINT.
void Catch();
bool Happened();

}  // namespace Interruption
