#pragma once

#include <string>
#include <vector>

#include "core/OperatorDialogs.h"
#include "operations/SettingsComparison.h"

class MainView;
class ProcessContext;

// File > "Compare with File...": what loading a settings file would change, shown before
// anything is sent; on the operator's word only the differing lines are loaded.
namespace FileComparison {

// The operator chooses the file as for File > Open; the camera is read as rvctl's diff reads
// it and the comparison shown. A file the camera matches is told in one line.
void CompareWithChosenFile(ProcessContext& context, MainView& view);
// The same for a given file.
void CompareWithFile(ProcessContext& context, MainView& view, const std::string& path);

// The rows the operator sees: the differing lines first, each part in file order, with list
// values as their items' texts.
ComparisonRequest RequestOf(const std::vector<SettingsComparison::ComparedLine>& compared,
                            const std::string& path);

}  // namespace FileComparison
