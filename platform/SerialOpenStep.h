#pragma once

// The step of opening a serial port that failed. The operator is told the name of the Windows
// call of that step, which on other systems names the call that stands for it.
enum class SerialOpenStep {
    Done,          // nothing failed
    OpenDevice,    // CreateFile
    SetEventMask,  // SetCommMask
    SetQueues,     // SetupComm
    SetTimeouts,   // SetCommTimeouts
    GetLineState,  // GetCommState
    SetLineState,  // SetCommState
};

const char* SerialOpenStepCallName(SerialOpenStep step);
