#include <gtest/gtest.h>

#include <string>

#include "tools/rvsim/LineAssembler.h"

namespace {

TEST(LineAssembler, CrLfAndLfAloneBothEndALine) {
    LineAssembler assembler;
    const auto lines = assembler.Feed("GA?\r\nBL?\nUD=a\rb\r\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].text, "GA?");
    EXPECT_EQ(lines[1].text, "BL?");
    EXPECT_EQ(lines[2].text, "UD=a\rb");  // only the CR before the LF belongs to the line end
    EXPECT_EQ(assembler.PendingBytes(), 0u);
}

TEST(LineAssembler, LineSplitAcrossChunksIsJoined) {
    LineAssembler assembler;
    EXPECT_TRUE(assembler.Feed("GA=4").empty());
    EXPECT_TRUE(assembler.Feed("00\r").empty());
    const auto lines = assembler.Feed("\nLR");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, "GA=400");
    EXPECT_EQ(assembler.PendingBytes(), 2u);
}

TEST(LineAssembler, OverlongLineIsMarkedAndTheNextLineArrivesClean) {
    LineAssembler assembler;
    const std::string longLine(LineAssembler::kMaxLineLength + 50, 'A');
    const auto lines = assembler.Feed(longLine + "\r\nGA?\r\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(lines[0].overlong);
    EXPECT_EQ(lines[0].text.size(), LineAssembler::kMaxLineLength);
    EXPECT_FALSE(lines[1].overlong);
    EXPECT_EQ(lines[1].text, "GA?");
}

TEST(LineAssembler, ClearForgetsTheUnfinishedLine) {
    LineAssembler assembler;
    assembler.Feed("GARBAGE");
    assembler.Clear();
    const auto lines = assembler.Feed("GA?\n");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, "GA?");
}

}  // namespace
