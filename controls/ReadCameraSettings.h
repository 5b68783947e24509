#pragma once

class OperatorWindow;
class ProcessContext;

// Reads the read-back rows of the control table from a supported camera, in table order,
// under the progress window over its owner; factory rows only in factory mode. A failed query
// leaves its row as it was. Always 1.
int ReadCameraSettings(ProcessContext& context, OperatorWindow* owner);
