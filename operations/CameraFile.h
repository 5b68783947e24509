#pragma once

#include <string>

class MainView;
class ProcessContext;

// Saving the camera's parameters to a settings file and loading such a file into the camera.
namespace CameraFile {

// Write one file; false (after telling the operator) when it cannot be written. An existing
// file is replaced only once the new one is complete.
bool WriteAllData(ProcessContext& context, const std::string& path);
bool WriteShippingData(ProcessContext& context, const std::string& path);
// Sends every accepted line to the camera in file order, then brings the pages up to date;
// false only when the file cannot be opened.
bool ReadCameraFile(ProcessContext& context, MainView& view, const std::string& path);

// The menu flows: the operator chooses the file in the folder used last, which is kept again.
void OpenCameraFile(ProcessContext& context, MainView& view);
void SaveAllDataAs(ProcessContext& context, MainView& view);
void SaveShippingDataAs(ProcessContext& context, MainView& view);

}  // namespace CameraFile
