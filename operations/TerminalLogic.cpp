#include "operations/TerminalLogic.h"

#include <cctype>
#include <cstdint>
#include <optional>

#include "controls/ControlTable.h"
#include "core/ProcessContext.h"
#include "operations/FactoryGate.h"
#include "operations/LogFileSaving.h"
#include "operations/TerminalLog.h"
#include "protocol/CommandTable.h"
#include "transport/CameraPort.h"

namespace TerminalLogic {

namespace {

// The mnemonic as the camera reads it: blanks dropped, upper case, up to "=" or "?".
std::string MnemonicOf(const std::string& line) {
    std::string mnemonic;
    for (char c : line) {
        if (c == '=' || c == '?' || c == '\r' || c == '\n') {
            break;
        }
        if (c != ' ' && c != '\t') {
            mnemonic += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
    }
    return mnemonic;
}

// A factory command: its mnemonic ends in "00" or is a factory parameter's.
bool IsFactoryCommand(ProcessContext& context, const std::string& line) {
    const std::string mnemonic = MnemonicOf(line);
    if (mnemonic.size() >= 2 && mnemonic.compare(mnemonic.size() - 2, 2, "00") == 0) {
        return true;
    }
    ControlTable& table = context.Get<ControlTable>();
    const std::optional<int32_t> control = table.FindCtrlId(CommandTable::IdOf(mnemonic));
    return control && table.IsFactoryParam(*control);
}

}  // namespace

bool Send(ProcessContext& context, const std::string& line) {
    if (IsFactoryCommand(context, line) && !FactoryGate::Allows(context, MnemonicOf(line))) {
        return false;
    }
    context.Get<CameraPort>().Write(line + "\r\n");
    return true;
}

void ClearLog(ProcessContext& context) {
    context.Get<TerminalLog>().Clear();
}

void SaveLog(ProcessContext& context, OperatorWindow* owner) {
    LogFileSaving::SaveTerminalLog(context, owner);
}

}  // namespace TerminalLogic
