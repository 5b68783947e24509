#pragma once

class OperatorWindow;
class ProcessContext;

// How a read of the camera went.
struct CameraReading {
    bool supported = false;  // the camera answered with one of the four models; else nothing read
    int unanswered = 0;      // rows whose query went unanswered: they keep what they held
    bool Whole() const { return supported && unanswered == 0; }
};

// Reads what the camera really holds, with every dialog disabled: checks the model, reads the
// camera's settings under the progress window over owner and synchronises the control table.
// Shows nothing; the window, rvctl and the tests read the table afterwards.
CameraReading ReadCamera(ProcessContext& context, OperatorWindow* owner);
