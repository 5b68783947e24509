#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

class ProcessContext;

// The camera's identity as the about, camera id and user id dialogs show and write it.
namespace CameraIdentity {

inline constexpr const char* kVersionPlaceholder = "?.??";
inline constexpr const char* kNamePlaceholder = "??????????";
inline constexpr const char* kUserIdPlaceholder = "????????????????";
inline constexpr const char* kDevicePartPlaceholder = "?";
inline constexpr std::size_t kUserIdLimit = 16;
inline constexpr std::size_t kCameraIdLength = 10;

using DeviceVersion = std::array<std::string, 4>;
using CameraIdCharacters = std::array<std::string, kCameraIdLength>;

// What the about dialog shows of the camera; placeholders where the camera did not tell.
struct AboutData {
    std::string firmwareVersion = kVersionPlaceholder;
    std::string modelName = kNamePlaceholder;
    std::string cameraId = kNamePlaceholder;
    std::string fpgaVersion = kVersionPlaceholder;
    std::string userId = kUserIdPlaceholder;
    DeviceVersion deviceVersion = {kDevicePartPlaceholder, kDevicePartPlaceholder,
                                   kDevicePartPlaceholder, kDevicePartPlaceholder};
};

// Asks the camera in turn for firmware version, model, camera id, FPGA version, user id and
// device version; a camera that does not tell its firmware version is asked nothing more.
AboutData ReadAboutData(ProcessContext& context);
// Four parts for a text with exactly three dots, else nothing.
std::optional<DeviceVersion> SplitDeviceVersion(const std::string& text);
// Writes the four parts, dot-separated; a factory function ("Save Dev Ver"): in user mode the
// operator is told and nothing is sent.
bool SaveDeviceVersion(ProcessContext& context, const DeviceVersion& parts);

// The PDF files of the folder, by name.
std::vector<std::string> ListHelpFiles(const std::string& folder);
// Opens the file of the folder with the desktop's viewer; an empty name means none selected.
void ViewHelpFile(ProcessContext& context, const std::string& folder, const std::string& name);
// Opens the user guide with the desktop's viewer from the first of the places, in their order,
// that holds it and whose viewer starts; the operator is told, with the places, when none holds
// it or no viewer started. True when one started.
bool OpenUserGuide(ProcessContext& context, const std::vector<std::string>& places);

// "Edit camera id" and "Edit user id" of the Utility menu are factory functions: true in
// factory mode; otherwise the operator is told, and the dialog neither reads nor opens.
bool MayEditCameraId(ProcessContext& context);
bool MayEditUserId(ProcessContext& context);

// The camera id and the user id are read as the camera sent them, letter case and blanks kept,
// so that saving what was shown writes back what the camera held.

// Writes the user id; one longer than 16 characters is refused and nothing is sent.
bool SaveUserId(ProcessContext& context, const std::string& text);
// The user id to edit, or sixteen question marks when the camera does not tell.
std::string ReadUserId(ProcessContext& context);

// The camera id, a character each; empty where the id is shorter or the camera did not tell.
CameraIdCharacters ReadCameraId(ProcessContext& context);
// Unlocks the camera and writes the first character of each edit, empty ones skipped; only in
// factory mode (otherwise the operator is told and nothing is sent).
bool SaveCameraId(ProcessContext& context, const CameraIdCharacters& edits);

}  // namespace CameraIdentity
