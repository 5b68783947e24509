#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "protocol/CommandEngine.h"

class ProcessContext;

// One camera parameter at a time, by the control that shows it on the pages: what the window's
// pages, undo and redo, the settings-file load, the compare dialog, rvctl and the tests all call,
// so that a change takes the one path from each. It is the only place where a value the camera
// took, refused or left unanswered changes what the program knows of it.
namespace Parameters {

// What became of a change.
struct Result {
    // Answered: the camera took the value; Refused: the camera said no; NoAnswer: nothing came
    // (the camera may have taken it); NotSent: whyNotSent says why.
    RequestOutcome outcome;
    // Whether a request went out at all.
    bool sent = false;
    // Why nothing was sent: "5000 is out of range 100 to 1600", ...
    std::string whyNotSent;
    // The camera's value now, when it is known.
    std::optional<int32_t> value;
    // Rows whose earlier unanswered change was read back after this one got an answer.
    std::vector<int32_t> readBack;

    bool Taken() const { return outcome.kind == RequestOutcome::Kind::Answered; }
};

// Sends a new value of a parameter, as the page does for an operator's change. It is checked
// first: a control without a value, a factory parameter in user mode, a number outside the
// range or a value no list item has is not sent (whyNotSent says so). Only this parameter goes
// out; a refusal reads the camera's value back, and an unanswered change is read back with the
// next exchange that gets an answer.
// The camera's baud rate and the sensor select have sequences of their own.
Result Set(ProcessContext& context, int32_t ctrlId, int64_t value);

// Asks the camera for the parameter's value; nothing when the camera did not answer.
std::optional<int32_t> Get(ProcessContext& context, int32_t ctrlId);

// Reads back every row whose change got no answer, until the camera leaves one unanswered; the
// rows it read.
std::vector<int32_t> ReadBackPending(ProcessContext& context);

// Why a value may not be sent to the parameter; empty when it may.
std::string Check(ProcessContext& context, int32_t ctrlId, int64_t value);

// The baud index (0 for 9600 ... 4 for 115200) of a camera baud-rate code, one bit per rate;
// -1 for any other value.
int32_t BaudIndexOfCode(int32_t code);

}  // namespace Parameters
