#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The words the shell's completion offers after a command, read from the program's own tables so
// that no second list is kept by hand: "rvctl __complete COMMAND" prints them one a line (with
// --factory, those of factory mode). Not in the help: it is for the completion script.
namespace CompletionWords {

inline constexpr char kCommand[] = "__complete";

// get, watch: the parameters of the mode and the readings; set: the parameters of the mode, each
// with
// "="; describe: every row of the mode, buttons too; store, restore: the areas the mode allows.
std::vector<std::string> For(const std::string& command, int32_t controlMode);

}  // namespace CompletionWords
