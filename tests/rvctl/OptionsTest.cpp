#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/rvctl/Options.h"

namespace {

TEST(RvctlOptionsTest, GlobalOptionsStandAnywhereAndTheRestBelongsToTheSubcommand) {
    std::string error;
    const std::optional<Options> options = ParseOptions(
        {"--port=com3,CL2-0", "terminal", "--timeout", "500", "--baud", "auto", "-v", "--", "-x"},
        error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->subcommand, "terminal");
    EXPECT_EQ(options->operands, (std::vector<std::string>{"-x"}));
    EXPECT_EQ(options->timeoutMs, 500);
    ASSERT_EQ(options->ports.size(), 2u);
    EXPECT_EQ(options->ports[0].Name(), "COM3");
    EXPECT_EQ(options->ports[1].Name(), "CL2-0");
    EXPECT_EQ(options->baud, BaudChoice::Search);
    EXPECT_TRUE(options->verbose);
}

TEST(RvctlOptionsTest, AWrongOrClashingOptionIsAUsageErrorThatNamesIt) {
    const std::vector<std::vector<std::string>> wrong = {
        {"--port", "COM17", "info"},
        {"--port", "COM3,COM3", "info"},
        {"--port", "CL4-0", "info"},
        {"--baud", "4800", "info"},
        {"--port", "COM3", "--category", "1", "info"},
        {"--port-index", "2", "info"},
        {"--timeout", "0", "info"},
        {"info", "--port"},
        {"--frobnicate"},
    };
    for (const std::vector<std::string>& args : wrong) {
        std::string error;
        EXPECT_FALSE(ParseOptions(args, error)) << args.front();
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
