#pragma once

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

// Reads a file into the tables: a line with one level fills channel 1, with two levels
// channels 1 and 2, with three levels channels 0, 1 and 2 (the missing ones get 0). Only digits
// and commas count. On success all three channels show their tables in View Mode.
bool ReadGammaFile(const std::string& path, LutTables& tables, Notifier& notifier);

}  // namespace GammaFile
