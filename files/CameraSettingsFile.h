#pragma once

#include <optional>
#include <string>
#include <vector>

class ProcessContext;

// The camera settings file (.cam): one "MNEMONIC=value" line per parameter, in control-table
// order, after an optional model line and device version line.
namespace CameraSettingsFile {

// All Data: in factory mode the model line (after the model was asked again) and the factory
// parameters too; the device version line when the camera tells it.
std::string AllDataText(ProcessContext& context);
// Shipping Data: every parameter kept in files, factory ones included, whatever the mode; no
// model or device version line. Asks the camera nothing.
std::string ShippingDataText(ProcessContext& context);

// The file's lines as a 256-byte line buffer reads them: a longer line comes as several. Empty
// when the file cannot be opened.
std::optional<std::vector<std::string>> ReadLines(const std::string& path);

}  // namespace CameraSettingsFile
