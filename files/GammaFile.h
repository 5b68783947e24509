#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

class LutTables;
class Notifier;

// The gamma data file (.csv): a header line, then one line per table entry 0 to 255. A
// monochrome camera's file holds channel 1 ("GammaData", one level a line); any other camera's
// file holds channels 0, 1 and 2 ("GammaData (R G B)", three levels a line, comma-separated).
namespace GammaFile {

// The whole file as written; monochrome chooses the form.
std::string FormatGammaFile(LutTables& tables, bool monochrome);

// Replaces the file at path so that a failed write leaves the previous one as it was. On
// failure the operator is told and false is returned.
bool WriteGammaFile(const std::string& path, LutTables& tables, bool monochrome,
                    Notifier& notifier);

// A file's levels as read, before any table takes them.
struct Levels {
    // Per channel 0, 1, 2, per entry; entries from lines beyond the file's are 0.
    std::array<std::array<uint32_t, 256>, 3> levels{};
    int lines = 0;                       // the data lines read
    std::array<int, 3> held{};           // per channel, the lines that gave it a level in digits
    std::optional<std::string> warning;  // a level above the largest, cut to it
    std::optional<std::string> refusal;  // why the file is taken for none: nothing of it is used
};

// Reads a file's levels as ReadGammaFile does, without telling anything.
Levels ParseGammaFile(std::FILE* file);
Levels ParseGammaText(const std::string& text);
// Tells the warning and the refusal; without a refusal, the file's lines into the tables as
// ReadGammaFile puts them. True when the tables took it.
bool TellAndApply(const Levels& levels, LutTables& tables, Notifier& notifier);

// Reads a file into the tables: a line with one level fills channel 1, with two levels
// channels 1 and 2, with three levels channels 0, 1 and 2 (the missing ones get 0). Only digits
// and commas count. On success all three channels show their tables in View Mode.
bool ReadGammaFile(const std::string& path, LutTables& tables, Notifier& notifier);

}  // namespace GammaFile
