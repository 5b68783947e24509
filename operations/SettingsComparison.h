#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "operations/CameraFile.h"

class OperatorWindow;
class ProcessContext;

// Where the camera differs from a settings file, parameter by parameter.
namespace SettingsComparison {

// A parameter line of the file beside the value the camera holds.
struct ComparedLine {
    int lineNumber = 0;
    std::string mnemonic;
    int32_t cameraValue = 0;
    int32_t fileValue = 0;
    int32_t ctrlId = 0;
    // False while the camera has not told its value: the line then counts as differing.
    bool cameraKnown = true;
    std::string text;  // the line as the file holds it
    bool Differs() const { return !cameraKnown || cameraValue != fileValue; }
};
using Difference = ComparedLine;

// Compares the file's parameter lines (those a load would send in this mode; not the model or
// the device version) with the values the control table holds, so the camera is read first.
// Nothing, after telling the operator, when the file cannot be opened.
std::optional<std::vector<Difference>> CompareWithFile(ProcessContext& context,
                                                       const std::string& path);
// The same, but every parameter line in file order, the equal ones too.
std::optional<std::vector<ComparedLine>> CompareEveryLine(ProcessContext& context,
                                                          const std::string& path);

// The same for lines read from a file before.
std::vector<ComparedLine> CompareLines(ProcessContext& context,
                                       const std::vector<CameraSettingsFile::Line>& lines);

// Sends only the lines of the file at path that differ, in file order, as a load of the file
// sends its lines.
CameraFile::LoadSummary LoadDifferences(ProcessContext& context, const std::string& path,
                                        const std::vector<ComparedLine>& compared,
                                        OperatorWindow* owner);

}  // namespace SettingsComparison
