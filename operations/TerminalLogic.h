#pragma once

#include <string>

class OperatorWindow;
class ProcessContext;

// What the terminal does, without its widgets. Its log shows every line sent and received,
// whoever caused it; the reply to a line sent here arrives through the engine's drain.
namespace TerminalLogic {

// Sends the line exactly as typed, followed by CR LF, and waits for nothing. A factory command
// (its mnemonic ends in "00" or is a factory parameter's) is sent only in factory mode;
// otherwise the operator is told and false returned.
bool Send(ProcessContext& context, const std::string& line);
void ClearLog(ProcessContext& context);
void SaveLog(ProcessContext& context, OperatorWindow* owner);

}  // namespace TerminalLogic
