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

// A subcommand's own options are its flags and values, wherever they stand among its operands,
// and a global option between them is still rvctl's.
TEST(RvctlOptionsTest, ASubcommandsOwnOptionsAreTakenBesideItsOperands) {
    std::string error;
    const std::optional<Options> options = ParseOptions(
        {"watch", "--csv", "GA", "--interval=0.5", "--port", "COM1", "TG", "--count", "3"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->subcommand, "watch");
    EXPECT_EQ(options->operands, (std::vector<std::string>{"GA", "TG"}));
    EXPECT_TRUE(options->Has("--csv"));
    EXPECT_EQ(options->Value("--interval"), "0.5");
    EXPECT_EQ(options->Value("--count"), "3");
    ASSERT_EQ(options->ports.size(), 1u);
}

TEST(RvctlOptionsTest, AWrongOrClashingOptionIsAUsageErrorThatNamesIt) {
    struct Case {
        std::vector<std::string> args;
        std::string named;  // what the message must name
    };
    const Case wrong[] = {
        {{"--port", "COM257", "info"}, "COM257"},
        {{"--port", "ttyUSB0", "info"}, "ttyUSB0"},
        {{"--port", "COM3,com3", "info"}, "COM3"},
        {{"--port", "COM3,,COM4", "info"}, "unknown port \"\""},
        {{"--port", "CL4-0", "info"}, "CL4-0"},
        {{"--baud", "4800", "info"}, "4800"},
        {{"--port", "COM3", "--category", "1", "info"}, "--category"},
        {{"--port-index", "2", "info"}, "--port-index"},
        {{"--timeout", "0", "info"}, "\"0\""},
        {{"info", "--port"}, "--port"},
        {{"--frobnicate"}, "--frobnicate"},
        {{"--json=1", "info"}, "--json"},
        // Another subcommand's option, and a subcommand's values out of range.
        {{"get", "GA", "--csv"}, "--csv"},
        {{"watch", "GA", "--count", "0"}, "--count"},
        {{"watch", "GA", "--interval", "1e3"}, "1e3"},
        {{"dump", "-o"}, "-o"},
        {{"dump", "--shipping=yes"}, "--shipping"},
    };
    for (const Case& c : wrong) {
        std::string error;
        EXPECT_FALSE(ParseOptions(c.args, error)) << c.args.front();
        EXPECT_NE(error.find(c.named), std::string::npos) << error;
    }
}

}  // namespace
