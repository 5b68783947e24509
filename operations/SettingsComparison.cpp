#include "operations/SettingsComparison.h"

#include <algorithm>

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
    if (parsed.error) {
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

std::optional<std::vector<ComparedLine>> CompareEveryLine(ProcessContext& context,
                                                          const std::string& path) {
    const std::optional<std::vector<CameraSettingsFile::Line>> lines =
        CameraSettingsFile::ReadLines(path);
    if (!lines) {
        CameraFile::ReportUnopened(context, path);
        return std::nullopt;
    }
    return CompareLines(context, *lines);
}

std::vector<ComparedLine> CompareLines(ProcessContext& context,
                                       const std::vector<CameraSettingsFile::Line>& lines) {
    const ControlTable::Rows& rows = context.Get<ControlTable>().Entries();
    const bool factoryMode = context.Get<ControlMode>().IsFactory();
    std::vector<ComparedLine> compared;
    for (const CameraSettingsFile::Line& line : lines) {
        const ParsedReply parsed = ParseReply(line.text);
        if (const ControlEntry* row = RowOfLine(rows, parsed, factoryMode)) {
            compared.push_back({line.number, Command::GetMnemonic(row->cmdId), row->value,
                                parsed.value.integer, row->ctrlId, row->state == ValueState::Told,
                                line.text});
        }
    }
    return compared;
}

std::optional<std::vector<Difference>> CompareWithFile(ProcessContext& context,
                                                       const std::string& path) {
    std::optional<std::vector<ComparedLine>> compared = CompareEveryLine(context, path);
    if (compared) {
        compared->erase(std::remove_if(compared->begin(), compared->end(),
                                       [](const ComparedLine& line) { return !line.Differs(); }),
                        compared->end());
    }
    return compared;
}

CameraFile::LoadSummary LoadDifferences(ProcessContext& context, const std::string& path,
                                        const std::vector<ComparedLine>& compared,
                                        OperatorWindow* owner) {
    std::vector<CameraSettingsFile::Line> lines;
    for (const ComparedLine& line : compared) {
        if (line.Differs()) {
            lines.push_back({line.lineNumber, line.text, false});
        }
    }
    return CameraFile::LoadLines(context, path, lines, owner);
}

}  // namespace SettingsComparison
