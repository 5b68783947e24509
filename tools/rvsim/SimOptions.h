#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Everything rvsim is told on its command line.
struct SimOptions {
    int baud = 9600;
    bool baudGiven = false;
    std::string model = "RV-2410M-TCL";
    bool modelGiven = false;
    std::string link;
    std::string device;
    std::string statePath;
    std::string transcriptPath;
    double calibSeconds = 3.0;
    int32_t calibResult = 1;
    double resetSeconds = 5.0;
    bool pacing = true;
    bool silent = false;
    int dropEvery = 0;
    int garbageEvery = 0;
    int64_t noLfAfter = -1;
    int delayMs = 0;
    double unplugSeconds = -1;         // negative: the cable stays in
    double replugSeconds = -1;         // negative: a pulled cable stays out
    std::vector<std::string> refused;  // mnemonics, upper case
    std::vector<std::string> muted;    // mnemonics, upper case
    bool help = false;
    bool version = false;
};

// Options as "--name value" or "--name=value", read by rvsim's table of options; false with a
// message for anything not valid.
bool ParseSimOptions(int argc, const char* const argv[], SimOptions& options, std::string& error);

// The text of --help, made from the same table.
std::string SimUsage();
