#include "tools/rvctl/SubcommandOperands.h"

std::optional<std::string> SubcommandOperands::Value(const std::string& option) const {
    const auto found = values.find(option);
    if (found == values.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::optional<SubcommandOperands> SubcommandOperands::Parse(
    const std::string& subcommand, const std::vector<std::string>& operands,
    const std::set<std::string>& flagNames, const std::set<std::string>& valueNames,
    std::string& error) {
    SubcommandOperands parsed;
    for (std::size_t i = 0; i < operands.size(); ++i) {
        const std::string& operand = operands[i];
        if (operand.size() < 2 || operand[0] != '-') {
            parsed.words.push_back(operand);
            continue;
        }
        const std::size_t equals = operand.find('=');
        const std::string name = operand.substr(0, equals);
        if (flagNames.count(name) != 0 && equals == std::string::npos) {
            parsed.flags.insert(name);
        } else if (valueNames.count(name) != 0) {
            if (equals != std::string::npos) {
                parsed.values[name] = operand.substr(equals + 1);
            } else if (i + 1 < operands.size()) {
                parsed.values[name] = operands[++i];
            } else {
                error = subcommand + ": " + name + " needs a value";
                return std::nullopt;
            }
        } else {
            error = subcommand + " has no option \"" + operand + "\"; 'rvctl " + subcommand +
                    " --help' lists them";
            return std::nullopt;
        }
    }
    return parsed;
}
