#include <gtest/gtest.h>

#include <set>
#include <string>

#include "protocol/CommandIds.h"
#include "protocol/CommandTable.h"

namespace {

// The camera's command set as the camera documents it, in id order.
const char* const kExpectedMnemonics[] = {
    "EB",    "ST",     "HP",     "VN",     "PV",     "ID",     "UD",     "DVN",   "MD",    "DV",
    "SBDRT", "CBDRT",  "CRS00",  "TG",     "TI",     "TA",     "ARST",   "EM",    "PE",    "ASC",
    "ASCEA", "ASCEI",  "ASRS",   "LR",     "AR",     "AL",     "ARMIN",  "PEMAX", "PEMIN", "BI",
    "HB",    "HBM",    "BA",     "TAGM",   "CLC",    "TS",     "GA",     "AGC",   "ALCS",  "AGCF",
    "AGCGA", "AGCGI",  "AGRS",   "ABG",    "BL",     "SDC",    "SDR",    "SDS",   "PGC",   "PGR",
    "PGS",   "PBC",    "PBR",    "PBS",    "LUN",    "LUTI",   "LUTD",   "GMA",   "TMP0",  "TMPS0",
    "LS0",   "SS",     "MF",     "LD",     "SA",     "EA",     "SA00",   "ST00",  "ULCK",  "ID00",
    "MD00",  "GA4A00", "GA4B00", "GA8K00", "BL4A00", "BL4B00", "BL8K00", "BAS00", "SDR00", "SDS00",
    "PGR00", "PGS00",  "PBR00",  "PBS00",  "BYP0",   "XMLVR",  "DV00",   "GA00",  "PGC00", "PBC00",
};

const std::set<std::string> kTextCommands = {"ID", "UD", "DVN", "MD", "DV", "ID00", "MD00", "DV00"};

TEST(CommandTable, HoldsTheNinetyCommandsInIdOrderWithTheirKinds) {
    static_assert(std::size(kExpectedMnemonics) == CommandTable::kCommandCount);
    for (int id = 0; id < CommandTable::kCommandCount; ++id) {
        const CommandEntry* entry = CommandTable::Find(id);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->id, id);
        EXPECT_STREQ(entry->mnemonic, kExpectedMnemonics[id]) << "id " << id;
        EXPECT_EQ(entry->reserved, 0);
        EXPECT_EQ(entry->decimals, 0);
        const int expectedKind = kTextCommands.count(entry->mnemonic) ? kTextValue : kIntegerValue;
        EXPECT_EQ(entry->kind, expectedKind) << entry->mnemonic;
    }
}

TEST(CommandTable, MnemonicsAreUniqueShortUpperCaseWords) {
    std::set<std::string> seen;
    for (const CommandEntry& entry : CommandTable::kCommands) {
        const std::string mnemonic = entry.mnemonic;
        EXPECT_TRUE(seen.insert(mnemonic).second) << "duplicate " << mnemonic;
        EXPECT_GE(mnemonic.size(), 2u);
        EXPECT_LE(mnemonic.size(), 6u);
        for (char c : mnemonic) {
            EXPECT_TRUE((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) << mnemonic;
        }
    }
}

TEST(CommandTable, LookupByMnemonicMatchesWholeWordsOnly) {
    EXPECT_EQ(CommandTable::IdOf("ST"), 1);  // known although nothing sends it
    EXPECT_EQ(CommandTable::IdOf("SA"), 64);
    EXPECT_EQ(CommandTable::IdOf("SA00"), 66);
    EXPECT_EQ(CommandTable::IdOf("SDR"), 46);
    EXPECT_EQ(CommandTable::IdOf("SDR00"), 78);
    EXPECT_EQ(CommandTable::IdOf("GA"), 36);
    EXPECT_EQ(CommandTable::IdOf("GA00"), 87);
    EXPECT_EQ(CommandTable::IdOf("ID00"), 69);
    EXPECT_EQ(CommandTable::IdOf("MD00"), 70);
    EXPECT_EQ(CommandTable::IdOf("DV00"), 86);
    EXPECT_EQ(CommandTable::IdOf("SA0"), -1);
    EXPECT_EQ(CommandTable::IdOf("S"), -1);
    EXPECT_EQ(CommandTable::IdOf(""), -1);
    EXPECT_EQ(CommandTable::IdOf("ga"), -1);  // the reply parser upper-cases before it looks up
    EXPECT_EQ(CommandTable::IdOf("GA "), -1);
}

TEST(CommandTable, IdsOutsideTheTableFindNothing) {
    EXPECT_EQ(CommandTable::Find(-1), nullptr);
    EXPECT_EQ(CommandTable::Find(90), nullptr);
    EXPECT_STREQ(CommandTable::Find(89)->mnemonic, "PBC00");
    EXPECT_EQ(CommandIds::kEA, 65);
}

}  // namespace
