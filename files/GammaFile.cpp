#include "files/GammaFile.h"

#include <array>
#include <cstdint>
#include <cstdio>
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
std::vector<int64_t> NumbersOf(const char* line) {
    std::vector<int64_t> numbers(1, 0);
    for (const char* c = line; *c != '\0'; ++c) {
        if (*c >= '0' && *c <= '9') {
            int64_t& number = numbers.back();
            number = number * 10 + (*c - '0');
            if (number > kNumberCeiling) {
                number = kNumberCeiling;
            }
        } else if (*c == ',') {
            numbers.push_back(0);
        }
    }
    return numbers;
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

bool ReadGammaFile(const std::string& path, LutTables& tables, Notifier& notifier) {
    std::FILE* file = OpenForReading(path);
    if (file == nullptr) {
        notifier.Tell(CouldNotOpen(path), MessageIcon::Error);
        return false;
    }
    // The file is read whole before the tables take it, so that a file refused part-way leaves
    // them as they were; entries beyond the file's lines keep their levels.
    std::array<std::array<uint32_t, LutChannel::kEntries>, 3> levels;
    for (int c = 0; c < 3; ++c) {
        for (int k = 0; k < LutChannel::kEntries; ++k) {
            levels[c][k] = tables.Channel(c).OutputLevel(k);
        }
    }
    char line[kLineBuffer];
    // The header names the form, but the numbers on each line say it as well.
    if (std::fgets(line, kLineBuffer, file) != nullptr) {
        bool toldTooLarge = false;
        for (int k = 0; std::fgets(line, kLineBuffer, file) != nullptr; ++k) {
            if (k >= LutChannel::kEntries) {
                notifier.Tell("Too many data", MessageIcon::Error);
                std::fclose(file);
                return false;
            }
            std::vector<int64_t> numbers = NumbersOf(line);
            const std::size_t count = numbers.size();
            if (count > kMaxNumbers) {
                notifier.Tell("Invaild data count format", MessageIcon::Error);
                std::fclose(file);
                return false;
            }
            for (int64_t& number : numbers) {
                if (number > LutChannel::kMaxLevel) {
                    if (!toldTooLarge) {
                        toldTooLarge = true;
                        char text[96];
                        std::snprintf(text, sizeof text, "Invalid data value: Line(%d) : Value(%d)",
                                      k, static_cast<int>(number));
                        notifier.Tell(text, MessageIcon::Error);
                    }
                    number = LutChannel::kMaxLevel;
                }
            }
            numbers.resize(kMaxNumbers, 0);
            uint32_t red = 0, green = 0, blue = 0;
            if (count == kMaxNumbers) {
                red = static_cast<uint32_t>(numbers[0]);
                green = static_cast<uint32_t>(numbers[1]);
                blue = static_cast<uint32_t>(numbers[2]);
            } else {
                green = static_cast<uint32_t>(numbers[0]);
                blue = static_cast<uint32_t>(numbers[1]);
            }
            levels[0][k] = red;
            levels[1][k] = green;
            levels[2][k] = blue;
        }
    }
    std::fclose(file);
    for (int c = 0; c < 3; ++c) {
        LutChannel& channel = tables.Channel(c);
        for (int k = 0; k < LutChannel::kEntries; ++k) {
            channel.SetOutputLevel(k, levels[c][k]);
        }
        channel.SetMode(LutChannel::kViewMode);
        channel.DrawNow();
    }
    return true;
}

}  // namespace GammaFile
