#include "files/GammaFile.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

#include "core/Notifier.h"
#include "files/LutChannel.h"
#include "platform/FileAccess.h"
#include "platform/FileReplacement.h"

namespace GammaFile {

namespace {

// Reads take at most this many bytes with the terminating zero, so a longer line is taken in
// several parts.
constexpr int kLineBuffer = 127;
// The largest number a line can carry: one for each channel.
constexpr std::size_t kMaxNumbers = 3;
// Digits beyond this are still read, but the value stops growing.
constexpr int64_t kNumberCeiling = 2147483647;

std::FILE* OpenForReading(const std::string& path) {
    return FileAccess::Open(path, "r");
}

std::string CouldNotOpen(const std::string& path) {
    return path + "\nCouldn't open this file";
}

// The numbers of one line: digits build a number, a comma starts the next, all else is skipped.
// Each says whether any digit stood in it.
struct Number {
    int64_t value = 0;
    bool written = false;
};

std::vector<Number> NumbersOf(const char* line) {
    std::vector<Number> numbers(1);
    for (const char* c = line; *c != '\0'; ++c) {
        if (*c >= '0' && *c <= '9') {
            Number& number = numbers.back();
            number.value = number.value * 10 + (*c - '0');
            if (number.value > kNumberCeiling) {
                number.value = kNumberCeiling;
            }
            number.written = true;
        } else if (*c == ',') {
            numbers.emplace_back();
        }
    }
    return numbers;
}

// Hands out the file's lines as fgets with the reader's buffer takes them; false at the end.
using NextLine = std::function<bool(char (&line)[kLineBuffer])>;

Levels ParseLines(const NextLine& next) {
    Levels levels;
    char line[kLineBuffer];
    // The header names the form, but the numbers on each line say it as well.
    if (!next(line)) {
        return levels;
    }
    for (int k = 0; next(line); ++k) {
        if (k >= LutChannel::kEntries) {
            levels.refusal = "Too many data";
            return levels;
        }
        std::vector<Number> numbers = NumbersOf(line);
        const std::size_t count = numbers.size();
        if (count > kMaxNumbers) {
            levels.refusal = "Invaild data count format";
            return levels;
        }
        for (Number& number : numbers) {
            if (number.value > LutChannel::kMaxLevel) {
                if (!levels.warning) {
                    char text[96];
                    std::snprintf(text, sizeof text, "Invalid data value: Line(%d) : Value(%d)", k,
                                  static_cast<int>(number.value));
                    levels.warning = text;
                }
                number.value = LutChannel::kMaxLevel;
            }
        }
        numbers.resize(kMaxNumbers);
        // Three numbers are red, green and blue; fewer start with green.
        const int first = count == kMaxNumbers ? 0 : 1;
        for (int c = 0; c < 3; ++c) {
            const Number number =
                c < first ? Number() : numbers[static_cast<std::size_t>(c - first)];
            levels.levels[c][k] = static_cast<uint32_t>(number.value);
            levels.held[c] += number.written ? 1 : 0;
        }
        levels.lines = k + 1;
    }
    return levels;
}

}  // namespace

std::string FormatGammaFile(LutTables& tables, bool monochrome) {
    std::string text = monochrome ? "GammaData\n" : "GammaData (R G B)\n";
    for (int i = 0; i < LutChannel::kEntries; ++i) {
        if (monochrome) {
            text += std::to_string(tables.Channel(LutTables::kMonochrome).OutputLevel(i)) + "\n";
        } else {
            text += std::to_string(tables.Channel(0).OutputLevel(i)) + "," +
                    std::to_string(tables.Channel(1).OutputLevel(i)) + "," +
                    std::to_string(tables.Channel(2).OutputLevel(i)) + "\n";
        }
    }
    return text;
}

bool WriteGammaFile(const std::string& path, LutTables& tables, bool monochrome,
                    Notifier& notifier) {
    if (!ReplaceFileContents(path, FormatGammaFile(tables, monochrome))) {
        notifier.Tell(CouldNotOpen(path), MessageIcon::Error);
        return false;
    }
    return true;
}

Levels ParseGammaFile(std::FILE* file) {
    return ParseLines([file](char(&line)[kLineBuffer]) {
        return std::fgets(line, kLineBuffer, file) != nullptr;
    });
}

Levels ParseGammaText(const std::string& text) {
    std::size_t at = 0;
    return ParseLines([&text, &at](char(&line)[kLineBuffer]) {
        if (at >= text.size()) {
            return false;
        }
        // As fgets: up to the line end, or as much as the buffer takes.
        std::size_t length = 0;
        while (at < text.size() && length + 1 < static_cast<std::size_t>(kLineBuffer)) {
            const char c = text[at++];
            line[length++] = c;
            if (c == '\n') {
                break;
            }
        }
        line[length] = '\0';
        return true;
    });
}

bool TellAndApply(const Levels& levels, LutTables& tables, Notifier& notifier) {
    if (levels.warning) {
        notifier.Tell(*levels.warning, MessageIcon::Error);
    }
    if (levels.refusal) {
        notifier.Tell(*levels.refusal, MessageIcon::Error);
        return false;
    }
    // A short file is taken, but the operator must not think the curve shown is all of it.
    if (levels.lines < LutChannel::kEntries) {
        notifier.Tell("The file held " + std::to_string(levels.lines) + " of the " +
                          std::to_string(LutChannel::kEntries) + " levels: entries " +
                          std::to_string(levels.lines) + " to " +
                          std::to_string(LutChannel::kEntries - 1) + " keep the levels they had.",
                      MessageIcon::Warning);
    }
    for (int c = 0; c < 3; ++c) {
        LutChannel& channel = tables.Channel(c);
        for (int k = 0; k < levels.lines; ++k) {
            channel.SetOutputLevel(k, levels.levels[c][k]);
        }
        channel.SetMode(LutChannel::kViewMode);
        channel.DrawNow();
    }
    return true;
}

bool ReadGammaFile(const std::string& path, LutTables& tables, Notifier& notifier) {
    std::FILE* file = OpenForReading(path);
    if (file == nullptr) {
        notifier.Tell(CouldNotOpen(path), MessageIcon::Error);
        return false;
    }
    // The file is read whole before the tables take it, so that a file refused part-way leaves
    // them as they were; entries beyond the file's lines keep their levels.
    const Levels levels = ParseGammaFile(file);
    std::fclose(file);
    return TellAndApply(levels, tables, notifier);
}

}  // namespace GammaFile
