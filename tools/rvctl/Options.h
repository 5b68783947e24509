#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "tools/rvctl/PortTarget.h"

// How the baud rate is found on each port.
enum class BaudChoice {
    StartUp,  // 9600 bit/s, then 115200 down to 9600, as the window's start-up does
    Search,   // 115200, 57600, 38400, 19200 and 9600 bit/s in turn
    Fixed,    // the one rate given
};

// The global options, the subcommand, its own options and its operands. Global options may stand
// before or after the subcommand.
struct Options {
    std::vector<PortTarget> ports;          // --port
    std::optional<int32_t> category;        // --category
    std::vector<int32_t> portIndices;       // --port-index
    BaudChoice baud = BaudChoice::StartUp;  // --baud
    int32_t baudRate = 9600;                // the rate of Fixed, and the first of StartUp
    std::optional<int32_t> controlMode;     // --factory 1, --user 0
    std::optional<int32_t> timeoutMs;       // --timeout
    bool json = false;
    bool verbose = false;
    bool quiet = false;
    bool yes = false;
    bool help = false;
    bool version = false;
    std::string subcommand;
    std::set<std::string> flags;                // the subcommand's own flags given
    std::map<std::string, std::string> values;  // and its own options' values
    std::vector<std::string> operands;          // the words after it that are no option
    std::string helpText;                       // with --help: the program's or the subcommand's

    bool Has(const std::string& flag) const { return flags.count(flag) != 0; }
    std::optional<std::string> Value(const std::string& option) const;
};

// Reads the command line (without the program's name) by the table of options of rvctl and of
// each subcommand, which also makes the help. On a usage error, nothing and the message.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);
