#include "files/CameraSettingsFile.h"

#include <cctype>
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

namespace {

// Splits bytes into lines as they come, however they are cut into pieces.
class LineSplitter {
public:
    void Take(const char* bytes, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            const char c = bytes[i];
            if (c == '\n' && afterCarriageReturn_) {
                afterCarriageReturn_ = false;  // the LF of a CR LF
                continue;
            }
            afterCarriageReturn_ = c == '\r';
            if (c == '\r' || c == '\n') {
                EndLine();
                continue;
            }
            ++length_;
            // The camera's protocol is text: nothing after a NUL byte is sent.
            textEnded_ = textEnded_ || c == '\0';
            if (!textEnded_ && length_ <= kMaxLineLength) {
                line_.text += c;
            }
        }
    }

    std::vector<Line> Finish() {
        if (length_ > 0) {
            EndLine();  // the last line has no line end
        }
        return std::move(lines_);
    }

private:
    void EndLine() {
        if (length_ > kMaxLineLength) {
            line_.text.clear();
            line_.overlong = true;
        }
        const int next = line_.number + 1;
        lines_.push_back(std::move(line_));
        line_ = Line{next, std::string(), false};
        length_ = 0;
        textEnded_ = false;
    }

    std::vector<Line> lines_;
    Line line_{1, std::string(), false};
    std::size_t length_ = 0;  // of the line so far, kept or not
    bool textEnded_ = false;  // a NUL ended the line's text
    bool afterCarriageReturn_ = false;
};

}  // namespace

std::optional<std::vector<Line>> ReadLines(const std::string& path) {
    std::FILE* file = FileAccess::Open(path, "r");
    if (file == nullptr) {
        return std::nullopt;
    }
    LineSplitter splitter;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        splitter.Take(buffer, got);
    }
    std::fclose(file);
    return splitter.Finish();
}

std::vector<Line> SplitLines(const std::string& text) {
    LineSplitter splitter;
    splitter.Take(text.data(), text.size());
    return splitter.Finish();
}

std::optional<std::string> UnknownMnemonic(const Line& line) {
    if (line.overlong) {
        return std::nullopt;
    }
    const ParsedReply parsed = ParseReply(line.text);
    if (!parsed.error || parsed.separator != "=" || parsed.mnemonic.empty()) {
        return std::nullopt;
    }
    for (const char c : parsed.mnemonic) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            return std::nullopt;
        }
    }
    return parsed.mnemonic;
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
