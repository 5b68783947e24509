#pragma once

#include <functional>
#include <string>

class LineLog;
class OperatorWindow;
class ProcessContext;

// Saving the two protocol logs as text files. The operator chooses the file in the folder kept
// as "Command Log File Path", confirms replacing an existing one, and the folder of the chosen
// file is kept for next time. The file is written beside its place and renamed into it, so a
// failed save leaves an existing file as it was.
namespace LogFileSaving {

// The message log, oldest line first, as a .txt file; the log then tells that it was written.
void SaveMessageLog(ProcessContext& context, OperatorWindow* owner);
// The terminal log, newest line first, as a .csv file (plain text all the same); the terminal
// then tells that it was written.
void SaveTerminalLog(ProcessContext& context, OperatorWindow* owner);

// A kind of text file as the file dialog offers it.
struct TextFileKind {
    const char* pattern;
    const char* extension;
    const char* filterName;
};
inline constexpr TextFileKind kTextFile = {"*.txt", "txt", "txt file (*.txt)"};
inline constexpr TextFileKind kCsvFile = {"*.csv", "csv", "CSV file (*.csv)"};

// The steps every text save shares: the operator chooses the file in the log folder and
// confirms replacing one; the text, made only then, is written whole or not at all. With
// keepFolder the chosen folder is kept for next time. False when nothing was written.
bool SaveTextFile(ProcessContext& context, OperatorWindow* owner, const TextFileKind& kind,
                  const std::function<std::string()>& text, bool keepFolder);

// The file's text: one line of the log per text line.
std::string LogText(const LineLog& lines, bool newestFirst);

}  // namespace LogFileSaving
