#pragma once

#include <string>
#include <vector>

class ProcessContext;

// The settings files last opened, loaded or compared, newest first, kept in the settings for
// File > Recent Files.
namespace RecentFiles {

// The kept files that are still there to open.
std::vector<std::string> List(ProcessContext& context);
// Puts the file first; the oldest beyond the list's length goes.
void Add(ProcessContext& context, const std::string& path);

}  // namespace RecentFiles
