#pragma once

class ProcessContext;

// Makes the MessageLog and the TerminalLog the context's log sinks, so that what the port
// sends and the engine receives is kept for the two dialogs and their "save" buttons.
// Programs without those dialogs leave the sinks discarding.
void ProvideProtocolLogs(ProcessContext& context);
