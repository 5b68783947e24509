#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class ProcessContext;

// The factory page's writes of the camera's identity, and the camera reset: factory functions,
// each refused in user mode.
namespace FactoryOperations {

// Writes the model of that index (0 to 3, CameraModel's order) and reads it back; tells the
// operator how it went.
bool SetCameraModel(ProcessContext& context, int32_t modelIndex);
// Writes the XML version (a number of three digits); tells the operator how it went.
bool WriteXmlVersion(ProcessContext& context, int32_t version);
// The XML version as the camera tells it; nothing when it does not answer.
std::optional<int32_t> ReadXmlVersion(ProcessContext& context);
// The number the three digit edits stand for: the first character of each non-empty text.
int32_t XmlVersionOfDigits(const std::vector<std::string>& digitTexts);
// Tells the camera to restart; it will not answer until it is back. False when refused.
bool ResetCamera(ProcessContext& context);

}  // namespace FactoryOperations
