#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "protocol/CommandEngine.h"

class ProcessContext;

// One camera parameter at a time, by the control that shows it on the pages: what the window's
// binding, rvctl and the tests all call, so that a change takes the same path from each.
namespace Parameters {

// What became of a change: whether the camera confirmed it, and the value the control table
// holds now (the new value, or the previous one put back after a refusal).
struct Result {
    bool accepted = false;
    int32_t value = 0;
    // How the camera answered the change; without an answer the value is unknown (the camera
    // may yet apply it) and is read back at the next exchange that gets one.
    RequestOutcome outcome;
    // Rows whose earlier unanswered change was read back after this one went through.
    std::vector<int32_t> readBack;
};

// Sends a new value of the parameter of a page control, as the page does for an operator's
// change: the changed rows go to the camera and a refused value is taken back. The exposure
// mode, the camera's baud rate and the sensor select have sequences of their own. A control
// without a value (a button, an unknown id) is refused and nothing is sent. Every row that
// differs from its last synchronised value goes with it, so a program synchronises the table
// first (by reading the camera, or as the start-up does).
Result Set(ProcessContext& context, int32_t ctrlId, int32_t value);

// Asks the camera for the parameter's value; the table takes it as the value shown, the
// previous value stays. Nothing when the camera did not answer.
std::optional<int32_t> Get(ProcessContext& context, int32_t ctrlId);

// Reads back every row whose change got no answer, until the camera leaves one unanswered; the
// rows it read, which the table now holds as the camera's.
std::vector<int32_t> ReadBackPending(ProcessContext& context);

// The baud index (0 for 9600 ... 4 for 115200) of a camera baud-rate code, one bit per rate;
// -1 for any other value.
int32_t BaudIndexOfCode(int32_t code);

}  // namespace Parameters
