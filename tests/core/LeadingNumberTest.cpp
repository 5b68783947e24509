#include "core/LeadingNumber.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(LeadingNumberTest, ReadsTheLeadingDigitsAndClampsWhatDoesNotFitInsteadOfWrapping) {
    EXPECT_EQ(LeadingNumber("  -42 mV"), -42);
    EXPECT_EQ(LeadingNumber("x12"), 0);
    EXPECT_EQ(LeadingNumber("2147483647"), INT32_MAX);
    // One past the end: a cast through 32 bits would make these the other end of the range.
    EXPECT_EQ(LeadingNumber("2147483648"), INT32_MAX);
    EXPECT_EQ(LeadingNumber("-2147483649"), INT32_MIN);
    EXPECT_EQ(LeadingNumber("4294967296"), INT32_MAX) << "would wrap to 0";
    EXPECT_EQ(LeadingNumber("99999999999999999999999"), INT32_MAX);
}
