#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/rvsim/SimOptions.h"

namespace {

bool Parse(std::vector<std::string> args, SimOptions& options, std::string& error) {
    args.insert(args.begin(), "rvsim");
    std::vector<const char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(arg.c_str());
    }
    return ParseSimOptions(static_cast<int>(argv.size()), argv.data(), options, error);
}

TEST(SimOptions, DefaultsAreTheDocumentedOnes) {
    SimOptions options;
    std::string error;
    ASSERT_TRUE(Parse({}, options, error)) << error;
    EXPECT_EQ(options.baud, 9600);
    EXPECT_FALSE(options.baudGiven);
    EXPECT_EQ(options.model, "RV-2410M-TCL");
    EXPECT_DOUBLE_EQ(options.calibSeconds, 3.0);
    EXPECT_EQ(options.calibResult, 1);
    EXPECT_DOUBLE_EQ(options.resetSeconds, 5.0);
    EXPECT_TRUE(options.pacing);
    EXPECT_EQ(options.noLfAfter, -1);
}

TEST(SimOptions, EveryOptionIsTakenInBothSpellings) {
    SimOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"--baud",
                       "115200",
                       "--model=XY-1",
                       "--link",
                       "/tmp/cam",
                       "--state=s.txt",
                       "--calib-seconds",
                       "0.2",
                       "--calib-result=7",
                       "--reset-seconds",
                       "0.25",
                       "--no-pacing",
                       "--silent",
                       "--drop-every",
                       "3",
                       "--garbage-every=4",
                       "--no-lf-after",
                       "100",
                       "--delay-ms",
                       "50",
                       "--refuse",
                       "ga",
                       "--refuse=SA",
                       "--transcript",
                       "t.txt",
                       "--device",
                       "/dev/ttyS9"},
                      options, error))
        << error;
    EXPECT_EQ(options.baud, 115200);
    EXPECT_TRUE(options.baudGiven);
    EXPECT_EQ(options.model, "XY-1");
    EXPECT_TRUE(options.modelGiven);
    EXPECT_EQ(options.link, "/tmp/cam");
    EXPECT_EQ(options.statePath, "s.txt");
    EXPECT_DOUBLE_EQ(options.calibSeconds, 0.2);
    EXPECT_EQ(options.calibResult, 7);
    EXPECT_DOUBLE_EQ(options.resetSeconds, 0.25);
    EXPECT_FALSE(options.pacing);
    EXPECT_TRUE(options.silent);
    EXPECT_EQ(options.dropEvery, 3);
    EXPECT_EQ(options.garbageEvery, 4);
    EXPECT_EQ(options.noLfAfter, 100);
    EXPECT_EQ(options.delayMs, 50);
    EXPECT_EQ(options.refused, (std::vector<std::string>{"GA", "SA"}));
    EXPECT_EQ(options.transcriptPath, "t.txt");
    EXPECT_EQ(options.device, "/dev/ttyS9");
}

TEST(SimOptions, InvalidInputIsRejectedWithAMessageNamingIt) {
    const std::vector<std::vector<std::string>> bad = {
        {"--baud", "12345"},
        {"--baud", "fast"},
        {"--drop-every", "0"},
        {"--calib-seconds", "-1"},
        {"--reset-seconds", "nan"},
        {"--delay-ms", "5x"},
        {"--refuse", "XYZ"},
        {"--bogus"},
        {"--state"},
        {"--silent=1"},
        {"stray"},
        {"--no-lf-after", "-3"},
        {"--unplug-after", "soon"},
        {"--replug-after", "1"},  // nothing was unplugged
    };
    for (const auto& args : bad) {
        SimOptions options;
        std::string error;
        EXPECT_FALSE(Parse(args, options, error)) << args[0];
        EXPECT_NE(error.find(args[0].substr(0, args[0].find('='))), std::string::npos) << error;
    }
}

TEST(SimOptions, HelpDocumentsEveryOption) {
    const std::string usage = SimUsage();
    for (const char* option :
         {"--baud", "--link", "--device", "--no-pacing", "--model", "--state", "--calib-seconds",
          "--calib-result", "--reset-seconds", "--silent", "--drop-every", "--garbage-every",
          "--no-lf-after", "--delay-ms", "--refuse", "--transcript", "--help", "--unplug-after",
          "--replug-after"}) {
        EXPECT_NE(usage.find(std::string("  ") + option + " "), std::string::npos) << option;
    }
}

}  // namespace
