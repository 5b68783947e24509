#include "files/CameraSettingsFile.h"

#include <cstdio>

#include "platform/FileAccess.h"
#include "protocol/Command.h"
#include "protocol/ReplyParser.h"

namespace CameraSettingsFile {

namespace {

// A value the camera never told is not written as if it were the camera's.
std::string ParameterLines(const ControlTable::Rows& rows, bool withFactoryRows) {
    std::string text;
    for (const ControlEntry& row : rows) {
        if (!HoldsRow(row, withFactoryRows) || row.state != ValueState::Told) {
            continue;
        }
        text += Command::GetMnemonic(row.cmdId) + "=" + std::to_string(row.value) + "\n";
    }
    return text;
}

}  // namespace

bool HoldsRow(const ControlEntry& row, bool withFactoryRows) {
    return row.inFile != 0 && (row.paramClass != kFactoryParam || withFactoryRows);
}

std::string AllDataText(const ControlTable::Rows& rows, const Identity& identity,
                        bool withFactoryRows) {
    std::string text;
    if (identity.model) {
        text += "MD00=" + *identity.model + "\n";
    }
    if (identity.deviceVersion) {
        text += "DV=" + std::to_string(*identity.deviceVersion) + "\n";
    }
    return text + ParameterLines(rows, withFactoryRows);
}

std::string ShippingDataText(const ControlTable::Rows& rows) {
    return ParameterLines(rows, true);
}

std::optional<std::vector<Line>> ReadLines(const std::string& path) {
    std::FILE* file = FileAccess::Open(path, "r");
    if (file == nullptr) {
        return std::nullopt;
    }
    std::vector<Line> lines;
    Line line{1, std::string(), false};
    std::size_t length = 0;  // of the line so far, kept or not
    bool textEnded = false;  // a NUL ended the line's text
    bool afterCarriageReturn = false;
    const auto endLine = [&] {
        if (length > kMaxLineLength) {
            line.text.clear();
            line.overlong = true;
        }
        const int next = line.number + 1;
        lines.push_back(std::move(line));
        line = Line{next, std::string(), false};
        length = 0;
        textEnded = false;
    };
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        for (std::size_t i = 0; i < got; ++i) {
            const char c = buffer[i];
            if (c == '\n' && afterCarriageReturn) {
                afterCarriageReturn = false;  // the LF of a CR LF
                continue;
            }
            afterCarriageReturn = c == '\r';
            if (c == '\r' || c == '\n') {
                endLine();
                continue;
            }
            ++length;
            // The camera's protocol is text: nothing after a NUL byte is sent.
            textEnded = textEnded || c == '\0';
            if (!textEnded && length <= kMaxLineLength) {
                line.text += c;
            }
        }
    }
    if (length > 0) {
        endLine();  // the last line has no line end
    }
    std::fclose(file);
    return lines;
}

bool HasParameterLine(const std::vector<Line>& lines, const ControlTable::Rows& rows) {
    for (const Line& line : lines) {
        if (line.overlong) {
            continue;
        }
        const ParsedReply parsed = ParseReply(line.text);
        if (parsed.error || parsed.separator != "=") {
            continue;
        }
        for (const ControlEntry& row : rows) {
            if (row.cmdId == parsed.commandId) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace CameraSettingsFile
