#pragma once

class ProcessContext;

// Chooses the implementations of the interfaces that rvcore itself implements (the command
// engine behind CommandEngine). Every program calls it on its context before first use.
void ProvideCoreServices(ProcessContext& context);
