#include "core/WholeNumber.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

// The one parser the pages, settings files, rvsim and its state file share: a typed value is
// either exactly a number or no number at all, never its leading digits or a wrapped one.
TEST(WholeNumberTest, TakesOnlyAWholeNumberAndNothingBeyondSixtyFourBitsOrItsLimits) {
    const struct {
        const char* text;
        std::optional<int64_t> value;
    } cases[] = {
        {" 42\t", 42},
        {"+7", 7},
        {"-0", 0},
        {"9223372036854775807", INT64_MAX},
        {"-9223372036854775808", INT64_MIN},
        {"9223372036854775808", std::nullopt},
        {"-9223372036854775809", std::nullopt},
        {"", std::nullopt},
        {" - ", std::nullopt},
        {"4x", std::nullopt},
        {"4 2", std::nullopt},
        {"0x10", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WholeNumber(c.text), c.value) << '"' << c.text << '"';
    }
    EXPECT_EQ(WholeNumber("2147483647", INT32_MIN, INT32_MAX), INT32_MAX);
    EXPECT_EQ(WholeNumber("2147483648", INT32_MIN, INT32_MAX), std::nullopt);
}
