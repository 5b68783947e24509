#pragma once

class ProcessContext;

// Makes rvtool's windows the implementations of the window services that rvcore calls: the
// online status goes to the StatusStrip, EnableAll to the DialogRegistry, the progress window
// is the ProgressDialog, the status line is shown under the main window's pages, the engine's waits
// keep the windows painted, files are chosen in the desktop's file dialog and the protocol trace is
// kept for the communication dialog and the terminal. Call once, before the first of them is used.
void ProvideWidgetServices(ProcessContext& context);
