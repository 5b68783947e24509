#include "tools/rvctl/PrintableText.h"

#include <gtest/gtest.h>

namespace {

// Escapes rewrite a terminal; the operator's own file names in UTF-8 must still read as typed.
TEST(PrintableTextTest, EscapesWhatATerminalObeysAndKeepsWhatItShows) {
    const struct {
        std::string text;
        std::string shown;
    } cases[] = {
        {"GA=100\n\tok", "GA=100\n\tok"},
        {"\x1b]0;PWNED\x07\x1b[2J\r", "\\x1b]0;PWNED\\x07\\x1b[2J\\x0d"},
        {"Pr\xc3\xbc"
         "fung \xe2\x82\xac.cam",
         "Pr\xc3\xbc"
         "fung \xe2\x82\xac.cam"},
        {"\x7f\xc2\x9b"
         "2J",
         "\\x7f\\xc2\\x9b2J"},  // DEL, and CSI as a C1 control in UTF-8
        {"\x9b"
         "2J\xff\xc3",
         "\\x9b2J\\xff\\xc3"},  // bytes that are no UTF-8
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PrintableText(c.text), c.shown);
    }
}

}  // namespace
