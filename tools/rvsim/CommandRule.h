#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// How the camera treats a set of one command.
enum class RuleKind {
    kRange,     // an integer from minValue to maxValue
    kList,      // exactly one of the item values
    kText,      // printable text of minLength to maxLength characters
    kReadOnly,  // answers queries only; the camera knows no set of it
    kIgnored,   // any value is acknowledged and changes nothing
    kFree,      // no defined meaning: any value of its kind is kept and reported back
};

// What the camera accepts for one command, and whether the flash areas hold its value.
struct CommandRule {
    RuleKind kind = RuleKind::kFree;
    int32_t minValue = 0;
    int32_t maxValue = 0;
    std::vector<int32_t> items;
    std::size_t minLength = 0;
    std::size_t maxLength = 0;
    bool inArea = false;       // part of the settings that SA stores and LD loads
    int32_t powerUpValue = 0;  // factory value of a setting held in the areas

    bool AcceptsInteger(int32_t value) const;
    bool AcceptsText(std::string_view text) const;
};

namespace CommandRules {

// Longest text the camera keeps for a command without a stated length.
constexpr std::size_t kMaxFreeText = 32;

// The rule of a command id 0..89; any other id gets a read-only rule.
const CommandRule& Of(int cmdId);

}  // namespace CommandRules
