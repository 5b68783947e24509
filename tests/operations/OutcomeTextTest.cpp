#include <gtest/gtest.h>

#include <string>

#include "controls/ControlIds.h"
#include "operations/OutcomeText.h"

namespace {

Parameters::Result Outcome(bool sent, RequestOutcome::Kind kind, const std::string& reply = "",
                           int timeoutMs = 5000) {
    Parameters::Result result;
    result.sent = sent;
    result.outcome = {kind, reply, timeoutMs};
    return result;
}

// The words the status line, the message log and rvctl give each outcome.
TEST(OutcomeTextTest, EachOutcomeOfAChangeAndALoadHasItsWords) {
    using Kind = RequestOutcome::Kind;
    const struct {
        int32_t control;
        int32_t value;
        Parameters::Result result;
        const char* text;
    } cases[] = {
        {ControlIds::kGainLevel, 400, Outcome(true, Kind::Answered), "GA=400 taken"},
        {ControlIds::kTriggerOrigin, 1, Outcome(true, Kind::Refused, "Error: Refused"),
         "TG=External refused: Error: Refused"},
        {ControlIds::kGainLevel, 700, Outcome(true, Kind::NoAnswer),
         "GA=700: no answer from the camera in 5 s"},
        {ControlIds::kCameraBaudRate, 4, Outcome(true, Kind::NoAnswer, "", 500),
         "CBDRT=38400bps: no answer from the camera in 500 ms"},
        {ControlIds::kGainLevel, 400, Outcome(false, Kind::Answered),
         "GA=400 not sent: the camera holds it already"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OutcomeText::ForChange(c.control, c.value, c.result), c.text);
    }

    CameraFile::LoadSummary summary;
    summary.opened = true;
    summary.linesSent = 26;
    EXPECT_EQ(OutcomeText::ForLoad(summary), "Loaded 26 lines, 0 refused");
    summary.refused = {{14, "GA"}, {20, "BL"}};
    EXPECT_EQ(OutcomeText::ForLoad(summary),
              "Loaded 26 lines, 2 refused (line 14, GA; line 20, BL)");
}

}  // namespace
