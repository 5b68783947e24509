#include "operations/TerminalLogic.h"

#include "core/ProcessContext.h"
#include "operations/LogFileSaving.h"
#include "operations/TerminalLog.h"
#include "transport/CameraPort.h"

namespace TerminalLogic {

void Send(ProcessContext& context, const std::string& line) {
    context.Get<CameraPort>().Write(line + "\r\n");
}

void ClearLog(ProcessContext& context) {
    context.Get<TerminalLog>().Clear();
}

void SaveLog(ProcessContext& context, OperatorWindow* owner) {
    LogFileSaving::SaveTerminalLog(context, owner);
}

}  // namespace TerminalLogic
