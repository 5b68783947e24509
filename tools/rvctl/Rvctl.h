#pragma once

#include <ostream>
#include <string>
#include <vector>

// rvctl's run: the command line (without the program's name) read, the subcommand run on its
// cameras, the exit status returned. progressBar: the error stream is a terminal.
int RunRvctl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             bool progressBar);
