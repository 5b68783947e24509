#pragma once

#include <string_view>

#include "protocol/CommandEntry.h"

// The camera's command set: a command id is the position of its entry.
namespace CommandTable {

constexpr int kCommandCount = 90;

inline constexpr CommandEntry kCommands[kCommandCount] = {
    {0, "EB", 0, kIntegerValue, 0},      {1, "ST", 0, kIntegerValue, 0},
    {2, "HP", 0, kIntegerValue, 0},      {3, "VN", 0, kIntegerValue, 0},
    {4, "PV", 0, kIntegerValue, 0},      {5, "ID", 0, kTextValue, 0},
    {6, "UD", 0, kTextValue, 0},         {7, "DVN", 0, kTextValue, 0},
    {8, "MD", 0, kTextValue, 0},         {9, "DV", 0, kTextValue, 0},
    {10, "SBDRT", 0, kIntegerValue, 0},  {11, "CBDRT", 0, kIntegerValue, 0},
    {12, "CRS00", 0, kIntegerValue, 0},  {13, "TG", 0, kIntegerValue, 0},
    {14, "TI", 0, kIntegerValue, 0},     {15, "TA", 0, kIntegerValue, 0},
    {16, "ARST", 0, kIntegerValue, 0},   {17, "EM", 0, kIntegerValue, 0},
    {18, "PE", 0, kIntegerValue, 0},     {19, "ASC", 0, kIntegerValue, 0},
    {20, "ASCEA", 0, kIntegerValue, 0},  {21, "ASCEI", 0, kIntegerValue, 0},
    {22, "ASRS", 0, kIntegerValue, 0},   {23, "LR", 0, kIntegerValue, 0},
    {24, "AR", 0, kIntegerValue, 0},     {25, "AL", 0, kIntegerValue, 0},
    {26, "ARMIN", 0, kIntegerValue, 0},  {27, "PEMAX", 0, kIntegerValue, 0},
    {28, "PEMIN", 0, kIntegerValue, 0},  {29, "BI", 0, kIntegerValue, 0},
    {30, "HB", 0, kIntegerValue, 0},     {31, "HBM", 0, kIntegerValue, 0},
    {32, "BA", 0, kIntegerValue, 0},     {33, "TAGM", 0, kIntegerValue, 0},
    {34, "CLC", 0, kIntegerValue, 0},    {35, "TS", 0, kIntegerValue, 0},
    {36, "GA", 0, kIntegerValue, 0},     {37, "AGC", 0, kIntegerValue, 0},
    {38, "ALCS", 0, kIntegerValue, 0},   {39, "AGCF", 0, kIntegerValue, 0},
    {40, "AGCGA", 0, kIntegerValue, 0},  {41, "AGCGI", 0, kIntegerValue, 0},
    {42, "AGRS", 0, kIntegerValue, 0},   {43, "ABG", 0, kIntegerValue, 0},
    {44, "BL", 0, kIntegerValue, 0},     {45, "SDC", 0, kIntegerValue, 0},
    {46, "SDR", 0, kIntegerValue, 0},    {47, "SDS", 0, kIntegerValue, 0},
    {48, "PGC", 0, kIntegerValue, 0},    {49, "PGR", 0, kIntegerValue, 0},
    {50, "PGS", 0, kIntegerValue, 0},    {51, "PBC", 0, kIntegerValue, 0},
    {52, "PBR", 0, kIntegerValue, 0},    {53, "PBS", 0, kIntegerValue, 0},
    {54, "LUN", 0, kIntegerValue, 0},    {55, "LUTI", 0, kIntegerValue, 0},
    {56, "LUTD", 0, kIntegerValue, 0},   {57, "GMA", 0, kIntegerValue, 0},
    {58, "TMP0", 0, kIntegerValue, 0},   {59, "TMPS0", 0, kIntegerValue, 0},
    {60, "LS0", 0, kIntegerValue, 0},    {61, "SS", 0, kIntegerValue, 0},
    {62, "MF", 0, kIntegerValue, 0},     {63, "LD", 0, kIntegerValue, 0},
    {64, "SA", 0, kIntegerValue, 0},     {65, "EA", 0, kIntegerValue, 0},
    {66, "SA00", 0, kIntegerValue, 0},   {67, "ST00", 0, kIntegerValue, 0},
    {68, "ULCK", 0, kIntegerValue, 0},   {69, "ID00", 0, kTextValue, 0},
    {70, "MD00", 0, kTextValue, 0},      {71, "GA4A00", 0, kIntegerValue, 0},
    {72, "GA4B00", 0, kIntegerValue, 0}, {73, "GA8K00", 0, kIntegerValue, 0},
    {74, "BL4A00", 0, kIntegerValue, 0}, {75, "BL4B00", 0, kIntegerValue, 0},
    {76, "BL8K00", 0, kIntegerValue, 0}, {77, "BAS00", 0, kIntegerValue, 0},
    {78, "SDR00", 0, kIntegerValue, 0},  {79, "SDS00", 0, kIntegerValue, 0},
    {80, "PGR00", 0, kIntegerValue, 0},  {81, "PGS00", 0, kIntegerValue, 0},
    {82, "PBR00", 0, kIntegerValue, 0},  {83, "PBS00", 0, kIntegerValue, 0},
    {84, "BYP0", 0, kIntegerValue, 0},   {85, "XMLVR", 0, kIntegerValue, 0},
    {86, "DV00", 0, kTextValue, 0},      {87, "GA00", 0, kIntegerValue, 0},
    {88, "PGC00", 0, kIntegerValue, 0},  {89, "PBC00", 0, kIntegerValue, 0},
};

// Callers pass ids 0..89; anything else yields nullptr.
constexpr const CommandEntry* Find(int id) {
    return id >= 0 && id < kCommandCount ? &kCommands[id] : nullptr;
}

// First entry, from id 0 up, whose mnemonic equals the text exactly; -1 when none.
constexpr int IdOf(std::string_view mnemonic) {
    for (const CommandEntry& entry : kCommands) {
        if (mnemonic == entry.mnemonic) {
            return entry.id;
        }
    }
    return -1;
}

}  // namespace CommandTable
