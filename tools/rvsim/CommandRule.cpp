#include "tools/rvsim/CommandRule.h"

#include <algorithm>
#include <array>

#include "controls/ControlCatalog.h"
#include "controls/ControlDefinition.h"
#include "protocol/CommandTable.h"

namespace {

using CommandTable::IdOf;

// Power-up values where the control table's initial value is not a sensible camera value.
struct PowerUpValue {
    const char* mnemonic;
    int32_t value;
};

const PowerUpValue kPowerUpValues[] = {
    {"CBDRT", 1}, {"PE", 4000}, {"ASCEA", 4900}, {"ASCEI", 100},  {"LR", 5000},    {"HB", 1},
    {"PGC", 1},   {"PBC", 1},   {"GA4A00", 100}, {"GA4B00", 100}, {"GA8K00", 100}, {"GA00", 100},
};

CommandRule Range(int32_t minValue, int32_t maxValue) {
    CommandRule rule;
    rule.kind = RuleKind::kRange;
    rule.minValue = minValue;
    rule.maxValue = maxValue;
    return rule;
}

CommandRule Text(std::size_t minLength, std::size_t maxLength) {
    CommandRule rule;
    rule.kind = RuleKind::kText;
    rule.minLength = minLength;
    rule.maxLength = maxLength;
    return rule;
}

CommandRule Kind(RuleKind kind) {
    CommandRule rule;
    rule.kind = kind;
    return rule;
}

// Commands that no control shows: what the operations send with them.
void AddCommandsWithoutControl(std::array<CommandRule, CommandTable::kCommandCount>& rules) {
    for (const char* readOnly : {"VN", "PV", "ID", "MD", "ARMIN", "PEMAX", "PEMIN", "SDS", "PGS",
                                 "PBS", "TMP0", "EA", "SDS00", "PGS00", "PBS00"}) {
        rules[IdOf(readOnly)] = Kind(RuleKind::kReadOnly);
    }
    rules[IdOf("UD")] = Text(0, 16);
    rules[IdOf("ID00")] = Text(0, 10);
    rules[IdOf("MD00")] = Text(1, CommandRules::kMaxFreeText);
    rules[IdOf("DV00")] = Text(1, CommandRules::kMaxFreeText);
    // A settings file carries the device version as a number; the camera writes it only by DV00.
    rules[IdOf("DV")] = Kind(RuleKind::kIgnored);
    rules[IdOf("CRS00")] = Range(1, 1);
    rules[IdOf("LD")] = Range(0, 3);
    rules[IdOf("SA")] = Range(1, 3);
    rules[IdOf("ULCK")] = Range(0, 9999999);
    rules[IdOf("XMLVR")] = Range(0, 999);
    // EB, ST, HP, DVN, SBDRT, ASRS, AGRS and ST00 keep the kFree default.
}

std::array<CommandRule, CommandTable::kCommandCount> BuildRules() {
    std::array<CommandRule, CommandTable::kCommandCount> rules;
    for (const ControlDefinition& row : ControlDefinitions::kRows) {
        CommandRule& rule = rules[row.cmdId];
        const std::string_view mnemonic = CommandTable::kCommands[row.cmdId].mnemonic;
        if (row.kind == kButtonControl) {
            rule = Range(0, 0);  // buttons start an action with the value 0
            continue;
        }
        if (row.kind == kSpinEditControl) {
            rule = Range(row.minValue, row.maxValue);
        } else {
            // The values the page's list can send, in item order.
            rule.kind = RuleKind::kList;
            for (const CatalogItem& item : ControlCatalog::Find(row.ctrlId)->items) {
                rule.items.push_back(item.value);
            }
        }
        rule.powerUpValue = row.initialValue;
        // The LUT index and data reach into the table, and the boot area belongs to the camera.
        rule.inArea = mnemonic != "LUTI" && mnemonic != "LUTD" && mnemonic != "BAS00";
    }
    for (const PowerUpValue& value : kPowerUpValues) {
        rules[IdOf(value.mnemonic)].powerUpValue = value.value;
    }
    AddCommandsWithoutControl(rules);
    return rules;
}

bool IsPrintable(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7e; });
}

}  // namespace

bool CommandRule::AcceptsInteger(int32_t value) const {
    switch (kind) {
        case RuleKind::kRange:
            return value >= minValue && value <= maxValue;
        case RuleKind::kList:
            return std::find(items.begin(), items.end(), value) != items.end();
        case RuleKind::kIgnored:
        case RuleKind::kFree:
            return true;
        default:
            return false;
    }
}

bool CommandRule::AcceptsText(std::string_view text) const {
    switch (kind) {
        case RuleKind::kText:
            return text.size() >= minLength && text.size() <= maxLength && IsPrintable(text);
        case RuleKind::kFree:
            return text.size() <= CommandRules::kMaxFreeText && IsPrintable(text);
        case RuleKind::kIgnored:
            return true;
        default:
            return false;
    }
}

const CommandRule& CommandRules::Of(int cmdId) {
    static const std::array<CommandRule, CommandTable::kCommandCount> rules = BuildRules();
    static const CommandRule unknown = Kind(RuleKind::kReadOnly);
    return cmdId >= 0 && cmdId < CommandTable::kCommandCount ? rules[cmdId] : unknown;
}
