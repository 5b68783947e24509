#pragma once

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

// The file's text: one line of the log per text line.
std::string LogText(const LineLog& lines, bool newestFirst);

}  // namespace LogFileSaving
