#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

// The operands of one subcommand: its own options (a flag, or an option that takes the next
// word as its value, also written "--name=value") and the words left over.
struct SubcommandOperands {
    std::set<std::string> flags;
    std::map<std::string, std::string> values;
    std::vector<std::string> words;

    bool Has(const std::string& flag) const { return flags.count(flag) != 0; }
    std::optional<std::string> Value(const std::string& option) const;

    // Nothing, and the usage error, when an operand starts with '-' and is none of them, or an
    // option lacks its value.
    static std::optional<SubcommandOperands> Parse(const std::string& subcommand,
                                                   const std::vector<std::string>& operands,
                                                   const std::set<std::string>& flagNames,
                                                   const std::set<std::string>& valueNames,
                                                   std::string& error);
};
