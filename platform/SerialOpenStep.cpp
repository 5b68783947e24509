#include "platform/SerialOpenStep.h"

const char* SerialOpenStepCallName(SerialOpenStep step) {
    switch (step) {
        case SerialOpenStep::Done:
            return "";
        case SerialOpenStep::OpenDevice:
            return "CreateFile";
        case SerialOpenStep::SetEventMask:
            return "SetCommMask";
        case SerialOpenStep::SetQueues:
            return "SetupComm";
        case SerialOpenStep::SetTimeouts:
            return "SetCommTimeouts";
        case SerialOpenStep::GetLineState:
            return "GetCommState";
        case SerialOpenStep::SetLineState:
            return "SetCommState";
    }
    return "";
}
