#pragma once

#include <cstdint>

class MainView;
class ProcessContext;

// The factory page's writes of the camera's identity, and the camera reset.
namespace FactoryOperations {

// "Set": writes the model chosen in the model list and reads it back.
void SetCameraModel(ProcessContext& context, MainView& view);
// "Wirte": the first digit of each of the three XML version edits, as one number.
void WriteXmlVersion(ProcessContext& context, MainView& view);
// "Read": the camera's XML version, a digit in each edit.
void ReadXmlVersion(ProcessContext& context, MainView& view);
// Tells the camera to restart and ends the program without asking, since the camera will not
// answer until it is back.
void ResetCamera(ProcessContext& context, MainView& view, int32_t& quitWithoutConfirm);

}  // namespace FactoryOperations
