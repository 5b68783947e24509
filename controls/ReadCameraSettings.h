#pragma once

class OperatorWindow;
class ProcessContext;

// Reads the read-back rows of the control table from a supported camera, in table order,
// under the progress window over its owner; factory rows only in factory mode. A failed query
// leaves its row's value as it was and marks it unknown. The number of rows whose query went
// unanswered, so that a program that saves what was read can tell a whole read from a partial one.
int ReadCameraSettings(ProcessContext& context, OperatorWindow* owner);
