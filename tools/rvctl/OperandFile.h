#pragma once

#include <cstddef>
#include <string>

// A file that a subcommand reads, named on the command line ("-" for standard input). It is
// read once for the whole run, before any camera is asked, so that every camera gets the same
// bytes: a pipe, a process substitution or /dev/stdin can be read only once.
namespace OperandFile {

// Larger than any settings or gamma data file; a device that never ends stops here.
constexpr std::size_t kMaxBytes = 1024 * 1024;

// Reads the file anew, on the run's thread before the cameras' threads start: the usage
// error, or empty. A folder reads as an empty file.
std::string Read(const std::string& path);

// The bytes the last Read of path took; empty when it took none.
const std::string& Contents(const std::string& path);

}  // namespace OperandFile
