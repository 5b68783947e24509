#pragma once

#include <optional>
#include <string>
#include <vector>

class ProcessContext;

// Where the camera differs from a settings file, parameter by parameter.
namespace SettingsComparison {

struct Difference {
    int lineNumber = 0;
    std::string mnemonic;
    int32_t cameraValue = 0;
    int32_t fileValue = 0;
};

// Compares the file's parameter lines (those a load would send in this mode; not the model or
// the device version) with the values the control table holds, so the camera is read first.
// Nothing, after telling the operator, when the file cannot be opened.
std::optional<std::vector<Difference>> CompareWithFile(ProcessContext& context,
                                                       const std::string& path);

}  // namespace SettingsComparison
