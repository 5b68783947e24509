#pragma once

#include <string>
#include <vector>

#include "tools/rvctl/Subcommand.h"

// Every subcommand, in the order of rvctl's help; each group keeps its table in its own file.
const std::vector<Subcommand>& Subcommands();
const Subcommand* FindSubcommand(const std::string& name);

std::vector<Subcommand> PortCommands();
std::vector<Subcommand> IdentityCommands();
std::vector<Subcommand> ParameterCommands();
std::vector<Subcommand> WatchCommands();
std::vector<Subcommand> FileCommands();
std::vector<Subcommand> AreaCommands();
std::vector<Subcommand> CalibrationCommands();
std::vector<Subcommand> LutCommands();
std::vector<Subcommand> TerminalCommands();
