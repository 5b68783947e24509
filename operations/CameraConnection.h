#pragma once

#include <cstdint>
#include <functional>

class ProcessContext;

// Connecting to the camera at start-up.
namespace CameraConnection {

// A run that did not end normally (or the first run) starts on the COM port.
void ApplyPreviousShutdown(ProcessContext& context);

// Tells the operator that the link did not open, with what the Camera Link library's loading
// tried where that is to blame (the COM port driver has told its own reason already).
void ReportOpenFailure(ProcessContext& context);

// Opens the stored link, checks the model and reads the current flash area. True when a camera
// answered the model query (false also when the link did not open).
bool ConnectCamera(ProcessContext& context, int32_t& currentArea);

// The rates SearchBaudRate tries.
constexpr int kSearchedRates = 5;

// Tries 115200, 57600, 38400, 19200 and 9600 bit/s in turn until the model query is answered.
// showBaudIndex is told each baud index tried. True when a camera answered. A port that
// another program holds ends the search at once.
bool SearchBaudRate(ProcessContext& context, const std::function<void(int32_t)>& showBaudIndex);

}  // namespace CameraConnection
