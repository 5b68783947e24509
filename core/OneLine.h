#pragma once

#include <string>

// A message as one line of a log or of a closing message: each run of line breaks becomes one
// blank.
std::string OneLine(const std::string& text);
