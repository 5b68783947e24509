#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "controls/ControlTable.h"
#include "core/ProcessContext.h"
#include "protocol/CommandTable.h"
#include "tests/support/RecordingNotifier.h"

namespace {

class ControlTableTest : public testing::Test {
protected:
    ControlTableTest() { context.ProvideExternal<Notifier>(notifier); }
    ControlTable& Table() { return context.Get<ControlTable>(); }
    std::string Mnemonic(const ControlEntry& row) {
        return CommandTable::Find(row.cmdId)->mnemonic;
    }

    RecordingNotifier notifier;
    ProcessContext context;
};

TEST_F(ControlTableTest, CountsFollowFromTheRows) {
    int values = 0, users = 0, factories = 0, buttons = 0;
    for (const ControlEntry& row : Table().Entries()) {
        values += row.kind != kButtonControl;
        users += row.kind != kButtonControl && row.paramClass == kUserParam;
        factories += row.kind != kButtonControl && row.paramClass == kFactoryParam;
        buttons += row.kind == kButtonControl;
        EXPECT_EQ(row.spinMode, 0);
        if (row.kind == kButtonControl) {
            EXPECT_EQ(row.paramClass, kActionParam) << row.ctrlId;
        }
    }
    EXPECT_EQ(Table().Entries().size(), 57u);
    EXPECT_EQ(values, 49);
    EXPECT_EQ(users, 38);
    EXPECT_EQ(factories, 11);
    EXPECT_EQ(buttons, 8);
    EXPECT_EQ(Table().CountValueControls(), 49);
    EXPECT_EQ(Table().CountUserValueControls(), 38);
}

TEST_F(ControlTableTest, NoTwoRowsShareAControlOrACommand) {
    std::set<int> controls, commands;
    for (const ControlEntry& row : Table().Entries()) {
        EXPECT_TRUE(controls.insert(row.ctrlId).second) << row.ctrlId;
        EXPECT_TRUE(commands.insert(row.cmdId).second) << row.cmdId;
        EXPECT_NE(CommandTable::Find(row.cmdId), nullptr);
    }
}

TEST_F(ControlTableTest, SettingsFileParameterOrderFollowsInFile) {
    std::vector<std::string> user, factory;
    for (const ControlEntry& row : Table().Entries()) {
        if (row.inFile) {
            (row.paramClass == kFactoryParam ? factory : user).push_back(Mnemonic(row));
        }
    }
    const std::vector<std::string> expectedUser = {
        "TG",  "TI", "TA",  "ARST", "EM",  "PE",  "LR",  "AL",  "BI",  "HB",    "HBM", "BA", "TAGM",
        "CLC", "GA", "ABG", "BL",   "SDC", "PGC", "PBC", "LUN", "GMA", "TMPS0", "LS0", "SS", "MF"};
    const std::vector<std::string> expectedFactory = {"GA4A00", "GA4B00", "GA8K00", "BL4A00",
                                                      "BL4B00", "BL8K00", "BYP0",   "GA00",
                                                      "PGC00",  "PBC00"};
    EXPECT_EQ(user, expectedUser);
    EXPECT_EQ(factory, expectedFactory);
}

TEST_F(ControlTableTest, ReadBackSetIsTheThirtyNineControlsInTableOrder) {
    std::vector<int> readBack;
    for (const ControlEntry& row : Table().Entries()) {
        if (row.readBack) {
            readBack.push_back(row.ctrlId);
            EXPECT_NE(row.kind, kButtonControl);
        }
    }
    const std::vector<int> expected = {1124, 1096, 1098, 1099, 1186, 1092, 1093, 1187, 1189, 1122,
                                       1223, 1225, 1100, 1123, 1174, 1119, 1041, 1217, 1139, 1120,
                                       1192, 1184, 1116, 1117, 1194, 1101, 1195, 1227, 1199, 1201,
                                       1203, 1205, 1207, 1209, 1128, 1177, 1211, 1213, 1214};
    EXPECT_EQ(readBack, expected);
}

TEST_F(ControlTableTest, RowsCarryTheirCommandsLimitsAndInitialValues) {
    ControlTable& table = Table();
    EXPECT_EQ(table.ToCmdId(1041), CommandTable::IdOf("GA"));
    EXPECT_EQ(table.ToCtrlId(CommandTable::IdOf("BL")), 1139);
    int32_t low = 0, high = 0;
    ASSERT_TRUE(table.GetDataRange(1139, low, high));
    EXPECT_EQ(low, -133);
    EXPECT_EQ(high, 255);
    ASSERT_TRUE(table.GetDataRange(1093, low, high));
    EXPECT_EQ(high, 2147483647);
    EXPECT_EQ(table.GetDataValue(1041), 100);
    EXPECT_EQ(table.GetDataValue(1104), 1600);
    EXPECT_EQ(table.GetDataValue(1147), 4);
    EXPECT_EQ(table.GetDataValue(1117), 8);
    EXPECT_EQ(table.GetDataValue(1211), 50);
    EXPECT_EQ(table.CtrlId2TblIndex(1124), 0);
    EXPECT_EQ(table.CtrlId2TblIndex(1214), 56);
    EXPECT_TRUE(table.IsFactoryParam(1128));
    EXPECT_FALSE(table.IsFactoryParam(1041));
    EXPECT_FALSE(table.IsInFile(1119));  // the test pattern is never saved
    EXPECT_TRUE(table.IsInFile(1093));
    EXPECT_TRUE(notifier.Messages().empty());
}

TEST_F(ControlTableTest, UnregisteredIdsAreReportedAndChangeNothing) {
    ControlTable& table = Table();
    const ControlTable::Rows before = table.Entries();
    int32_t low = 11, high = 22;

    EXPECT_EQ(table.GetDataValue(9999), -1);
    EXPECT_EQ(table.ToCmdId(9999), -1);
    EXPECT_EQ(table.ToCtrlId(1), -1);  // ST has no control
    EXPECT_EQ(table.CtrlId2TblIndex(9999), -1);
    EXPECT_EQ(table.GetSpinMode(9999), -1);
    EXPECT_FALSE(table.GetDataRange(9999, low, high));
    EXPECT_FALSE(table.IsFactoryParam(4660));
    EXPECT_FALSE(table.IsInFile(9999));

    EXPECT_EQ(low, 11);
    EXPECT_EQ(high, 22);
    const std::vector<std::string> expected = {
        "Unexpected error occurred in GetDataValue().",
        "Unexpected error occurred in ToCmdId().",
        "Unexpected error occurred in ToCtrlId(): Command id is 1",
        "Unexpected error occurred in CtrlId2TblIndex().",
        "Unexpected error occurred in CtrlId2TblIndex().",
        "Unexpected error occurred in CtrlId2TblIndex().",
        "ERROR: IsFactoryParam(): Control id \"4660: 0x1234\" is not registered in database table",
    };
    EXPECT_EQ(notifier.Texts(), expected);  // IsInFile stays silent
    for (const MessageRequest& message : notifier.Messages()) {
        EXPECT_EQ(message.icon, MessageIcon::Warning);
        EXPECT_EQ(message.buttons, MessageButtons::Ok);
    }
    for (int i = 0; i < ControlTable::kRowCount; ++i) {
        EXPECT_EQ(table.Entries()[i].value, before[i].value);
    }
}

TEST_F(ControlTableTest, WhatIsKnownChangesOnlyThroughItsTransitions) {
    ControlTable& table = Table();
    // The camera tells what it reads back; the program's own values are known from the start.
    EXPECT_EQ(table.State(1041), ValueState::Unknown);
    EXPECT_EQ(table.KnownValue(1147), 4);  // Alc Speed, never read back
    table.Told(1041, 400);
    table.Told(1139, -1);
    EXPECT_EQ(table.KnownValue(1041), 400);
    EXPECT_EQ(table.KnownValue(1139), -1);
    table.Unanswered(1139);
    table.Unanswered(1096);
    EXPECT_FALSE(table.KnownValue(1139));
    EXPECT_EQ(table.UnansweredRows(), (std::vector<int32_t>{1096, 1139}));  // table order
    table.Forget(1041);
    EXPECT_EQ(table.State(1041), ValueState::Unknown);
    EXPECT_EQ(table.CountValueControls(), 49);
    EXPECT_EQ(table.CountUserValueControls(), 38);
}

}  // namespace
