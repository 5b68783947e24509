#pragma once

#include <cstdint>
#include <optional>
#include <string>

class OperatorWindow;
class ProcessContext;

// The camera's calibrations: shading (flat-field), pixel gain and pixel black, each in the user
// and in the factory area. The camera is started, asked once a second how it is doing while it
// reports busy, and the outcome is shown.
namespace Calibration {

// What Run returns when no status of the camera tells how the calibration went.
inline constexpr int32_t kCancelled = -1;    // the operator stopped following it (told already)
inline constexpr int32_t kRefused = -2;      // the camera refused to start it
inline constexpr int32_t kNoAnswer = -3;     // the start, or the status for too long, unanswered
inline constexpr int32_t kLinkLost = -4;     // the port's device went away
inline constexpr int32_t kNotSent = -5;      // the start could not be sent
inline constexpr int32_t kFactoryOnly = -6;  // a factory-area calibration in user mode (told)

// The text shown for a status code ("Succeeded", "Too Bright", ...) or for one of the outcomes
// above.
std::string ResultText(int32_t code);

enum class Correction { Shading, PixelGain, PixelBlack };

// One calibration: what it corrects, and whether into the factory area instead of the user's.
struct Kind {
    Correction correction = Correction::Shading;
    bool factoryArea = false;
};

// The calibration behind one of the six "Recalibrate" buttons; nothing for any other id.
std::optional<Kind> KindOfButton(int32_t buttonId);
// The caption its result is shown under: "Recalibrate FFC (User)", ...
std::string Caption(Kind kind);

// Starts the calibration, follows it under the progress window over owner and returns the
// status code the camera reported after it took the start, or one of the outcomes above. A
// calibration into the factory area is refused in user mode, whoever asks.
int32_t Run(ProcessContext& context, Kind kind, OperatorWindow* owner);

}  // namespace Calibration
