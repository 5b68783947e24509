#pragma once

// What rvctl's and rvsim's CLI11 option tables share: a value check written as a function, the
// help rows as their help has always laid them out (the option's names and value in a column,
// its text beside them, each line of the text under the one before), and the parse errors in
// their words.

#include <CLI/CLI.hpp>
#include <functional>
#include <string>
#include <vector>

namespace OptionTable {

// A validator from a check that tells what is wrong with a value, or nothing.
inline CLI::Validator Checked(std::function<std::string(const std::string&)> check) {
    return CLI::Validator([check](std::string& value) { return check(value); }, std::string(),
                          std::string());
}

// "-v, --verbose", "--port PORT[,PORT...]".
inline std::string Names(const CLI::Option& option) {
    std::string names;
    for (const std::string& name : option.get_snames()) {
        names += (names.empty() ? "-" : ", -") + name;
    }
    for (const std::string& name : option.get_lnames()) {
        names += (names.empty() ? "--" : ", --") + name;
    }
    if (option.get_type_size_max() > 0 && !option.get_type_name().empty()) {
        names += " " + option.get_type_name();
    }
    return names;
}

// One row per option, the text starting at column.
inline std::string Rows(const std::vector<const CLI::Option*>& options, std::size_t column) {
    const std::string indent(column, ' ');
    std::string rows;
    for (const CLI::Option* option : options) {
        std::string row = "  " + Names(*option);
        row += row.size() + 2 <= column ? std::string(column - row.size(), ' ') : "\n" + indent;
        for (const char c : option->get_description()) {
            row += c;
            if (c == '\n') {
                row += indent;
            }
        }
        rows += row + "\n";
    }
    return rows;
}

// The rows of the options of one group (a group named "" is hidden).
inline std::string GroupRows(const CLI::App& app, const std::string& group, std::size_t column) {
    return Rows(app.get_options([&group](const CLI::Option* option) {
        return !option->get_positional() && option->get_group() == group;
    }),
                column);
}

// What went wrong on the command line, in the words rvctl and rvsim use.
inline std::string Problem(const CLI::ParseError& error) {
    const std::string text = error.what();
    const std::string name = text.substr(0, text.find_first_of(": "));
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr) {
        if (text.find("flag override") != std::string::npos) {
            // CLI11 names the flag without its dashes here.
            return "option " + std::string(name.size() == 1 ? "-" : "--") + name +
                   " takes no value";
        }
        if (text.find(" missing") != std::string::npos) {
            return "option " + name + " needs a value";
        }
    }
    return text;
}

}  // namespace OptionTable
