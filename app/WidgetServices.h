#pragma once

class ProcessContext;

// Makes rvtool's windows the implementations of the window services that rvcore calls: the
// online status goes to the StatusStrip, EnableAll to the DialogRegistry and the progress
// window is the ProgressDialog. Call once, before the first of them is used.
void ProvideWidgetServices(ProcessContext& context);
