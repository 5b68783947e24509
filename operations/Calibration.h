#pragma once

#include <cstdint>
#include <string>

class MainView;
class ProcessContext;

// The camera's calibrations: shading (flat-field), pixel gain and pixel black, each in the user
// and in the factory area. The camera is started, asked once a second how it is doing while it
// reports busy, and the outcome is shown.
namespace Calibration {

// The text shown for a status code: "Succeeded", "Too Bright", ...
std::string ResultText(int32_t code);

// Runs the calibration behind one of the six "Recalibrate" buttons; false for any other id.
bool Run(ProcessContext& context, MainView& view, int32_t buttonId);

}  // namespace Calibration
