#include "operations/SettingsComparison.h"

#include "controls/ControlTable.h"
#include "core/ControlMode.h"
#include "core/ProcessContext.h"
#include "files/CameraSettingsFile.h"
#include "operations/CameraFile.h"
#include "protocol/Command.h"
#include "protocol/ReplyParser.h"

namespace SettingsComparison {

namespace {

// The row a load would send the parsed line to; nothing for any other line.
const ControlEntry* RowOfLine(const ControlTable::Rows& rows, const ParsedReply& parsed,
                              bool factoryMode) {
    if (parsed.error != 0) {
        return nullptr;
    }
    for (const ControlEntry& row : rows) {
        if (row.cmdId == parsed.commandId) {
            const bool allowed =
                row.inFile != 0 && (factoryMode || row.paramClass != kFactoryParam);
            return allowed ? &row : nullptr;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<std::vector<Difference>> CompareWithFile(ProcessContext& context,
                                                       const std::string& path) {
    const std::optional<std::vector<CameraSettingsFile::Line>> lines =
        CameraSettingsFile::ReadLines(path);
    if (!lines) {
        CameraFile::ReportUnopened(context, path);
        return std::nullopt;
    }
    const ControlTable::Rows& rows = context.Get<ControlTable>().Entries();
    const bool factoryMode = context.Get<ControlMode>().IsFactory();
    std::vector<Difference> differences;
    for (const CameraSettingsFile::Line& line : *lines) {
        const ParsedReply parsed = ParseReply(line.text);
        const ControlEntry* row = RowOfLine(rows, parsed, factoryMode);
        if (row != nullptr && row->value != parsed.value.integer) {
            differences.push_back(
                {line.number, Command::GetMnemonic(row->cmdId), row->value, parsed.value.integer});
        }
    }
    return differences;
}

}  // namespace SettingsComparison
