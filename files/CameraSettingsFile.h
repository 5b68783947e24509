#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "controls/ControlTable.h"

// The camera settings file (.cam): one "MNEMONIC=value" line per parameter, in control-table
// order, after an optional model line and device version line.
namespace CameraSettingsFile {

// What an All Data file names of the camera before its parameters; each line only when known.
struct Identity {
    std::optional<std::string> model;
    std::optional<int32_t> deviceVersion;
};

// Whether a file holds the row's parameter: a row kept in files, a factory row only when asked
// for. A row whose value is unknown is left out all the same.
bool HoldsRow(const ControlEntry& row, bool withFactoryRows);

// All Data: the identity lines, then the parameters kept in files; factory ones only when
// asked for.
std::string AllDataText(const ControlTable::Rows& rows, const Identity& identity,
                        bool withFactoryRows);
// Shipping Data: every parameter kept in files, factory ones included; no identity lines.
std::string ShippingDataText(const ControlTable::Rows& rows);

// The longest line the reader takes, without its line end.
constexpr std::size_t kMaxLineLength = 255;

// One line of a file as it was read.
struct Line {
    int number = 0;  // from 1, as an editor counts them
    std::string text;
    // Longer than kMaxLineLength: its text is not kept, so that no part of it is taken for a
    // line of its own.
    bool overlong = false;
};

// The file's lines; a line ends with LF, CR LF or CR alone. Nothing when the file cannot be
// opened.
std::optional<std::vector<Line>> ReadLines(const std::string& path);
// The same for a file's bytes read before.
std::vector<Line> SplitLines(const std::string& text);

// The name of a line that sets something by a name no command has ("GAA=400": a misspelt
// mnemonic, upper-cased); nothing for any other line.
std::optional<std::string> UnknownMnemonic(const Line& line);

// Whether a line sets a parameter of the rows ("GA=800"). A file without one (a binary, an
// empty file, another format, a folder) is no settings file, however its lines would parse.
bool HasParameterLine(const std::vector<Line>& lines, const ControlTable::Rows& rows);

}  // namespace CameraSettingsFile
