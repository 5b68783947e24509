#pragma once

#include <optional>
#include <string>

struct Camera;
struct Options;

// "-o FILE" of the subcommands that write a file: "{port}" in it stands for each camera's port;
// without it, or as "-", the file goes to standard output.
namespace OutputFile {

// The usage error of a pattern that would make several cameras write one file; empty when fine.
std::string CheckPattern(const std::optional<std::string>& pattern, const Options& options);

// The camera's file, or nothing for standard output.
std::optional<std::string> PathFor(const Camera& camera, const std::optional<std::string>& pattern);

// Standard output takes the file's text as it stands, byte for byte.
void WriteToOutput(Camera& camera, const std::string& text);

}  // namespace OutputFile
