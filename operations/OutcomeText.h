#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "operations/CameraFile.h"
#include "operations/Parameters.h"

class ProcessContext;

// The words that tell the operator what an action did, the same in the window's status line,
// in the message log and from rvctl.
namespace OutcomeText {

// "GA=400", "TG=External": a value as the camera is told it, a list's value by its item's text.
std::string ForAssignment(int32_t ctrlId, int32_t value);
// In four words: "GA=400 taken", "TG=External refused: Error: Refused", "GA=700: no answer
// from the camera in 5 s", and not sent with why ("GA: 5000 is out of range 100 to 1600",
// "GA=400 not sent: the camera holds it already"); a list's value by its item's text.
std::string ForChange(int32_t ctrlId, int64_t requested, const Parameters::Result& result);
// "Loaded 26 lines, 1 refused (line 14, GA)"; lines the camera did not answer follow
// (", 2 unanswered (line 9, AL; line 10, BI)"), then lines with a name no command has
// (", 1 unknown mnemonic (line 2, GAA)").
std::string ForLoad(const CameraFile::LoadSummary& summary);
// A time-out as the operator reads it: "5 s", "500 ms".
std::string ForDuration(int milliseconds);
// The start-up's search: "Looking for the camera at 57600 bit/s".
std::string ForSearch(int32_t baudRate);
// Auto's search: "Looking for a camera on COM3".
std::string ForPortSearch(const std::string& portName);
// A search the operator stopped: "Search cancelled after 4 ports: no camera answered".
std::string ForCancelledSearch(std::size_t portsTried);
// How the start-up ended: "Camera RV-2410M-TCL found at 9600 bit/s" (", but 3 of its settings
// did not answer" when the read after it left some unknown), "No camera answered ...", or why
// no camera could answer: the port did not open, or another program holds it.
std::string ForStartUp(ProcessContext& context, bool answered);
// While the window reads the camera's settings, and how that read went: "Reading the camera's
// settings", "Read the camera's settings", "Read the camera's settings: 3 did not answer".
inline constexpr const char* kReadingSettings = "Reading the camera's settings";
std::string ForReading(bool supported, int unanswered);
// The link and mode in use: "COM3 /dev/ttyUSB0 115200 bit/s  RV-2410M-TCL  Factory mode".
std::string ForLink(ProcessContext& context);

}  // namespace OutcomeText
