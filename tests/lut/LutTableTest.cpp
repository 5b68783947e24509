#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "files/GammaFile.h"
#include "files/LutChannel.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestContext.h"

namespace {

using Lines = std::vector<std::string>;

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
}

std::string ReadText(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The curve through the edit points and what the mouse does to them.
TEST(LutCurveTest, TheTwoDefaultPointsGiveALinearTable) {
    LutChannel channel(1);
    const std::vector<uint32_t> first{0, 16, 32, 49, 65};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(channel.OutputLevel(i), first[i]) << i;
    }
    EXPECT_EQ(channel.OutputLevel(128), 2048u);
    EXPECT_EQ(channel.OutputLevel(255), 4095u);
    for (int i = 0; i < 255; ++i) {
        EXPECT_NEAR(channel.OutputLevel(i), 16.0 * i, 5.0) << i;
    }
}

TEST(LutCurveTest, MouseMovesMoveNearPointsAddFarOnesUpToFifteenAndDeleteOnlyInnerOnes) {
    LutChannel channel(1);
    // Within 32 pixels of the bottom-left end point: it moves, nothing is added.
    EXPECT_TRUE(channel.OnMouseMove(20, 230, kMouseLeft));
    EXPECT_EQ(channel.PointCount(), 2);
    EXPECT_EQ(channel.Point(0).x, 20);
    EXPECT_EQ(channel.Point(0).y, 230);
    // End points cannot be deleted; other buttons or keys held do nothing.
    EXPECT_FALSE(channel.OnMouseMove(250, 5, kMouseRight));
    EXPECT_FALSE(channel.OnMouseMove(128, 128, kMouseLeft | kMouseShift));
    EXPECT_FALSE(channel.OnMouseMove(128, 128, kMouseLeft | kMouseRight));
    EXPECT_FALSE(channel.OnMouseMove(300, 128, kMouseLeft));
    EXPECT_EQ(channel.PointCount(), 2);

    // Far points are added, right to left, and kept sorted by x.
    for (int k = 12; k >= 0; --k) {
        EXPECT_TRUE(channel.OnMouseMove(40 + 17 * k, k % 2 == 0 ? 40 : 220, kMouseLeft)) << k;
    }
    EXPECT_EQ(channel.PointCount(), 15);
    for (int k = 1; k < 15; ++k) {
        EXPECT_LT(channel.Point(k - 1).x, channel.Point(k).x) << k;
    }
    EXPECT_FALSE(channel.OnMouseMove(133, 130, kMouseLeft));
    EXPECT_EQ(channel.PointCount(), 15);

    // An inner point within 16 pixels goes; the rest close up.
    EXPECT_TRUE(channel.OnMouseMove(130, 210, kMouseRight));
    EXPECT_EQ(channel.PointCount(), 14);
    EXPECT_EQ(channel.Point(5).x, 108);
    EXPECT_EQ(channel.Point(6).x, 142);
}

TEST(LutCurveTest, ConvertEditablePutsThePointsOnTheTableAndClearMakesItLinearAgain) {
    LutChannel channel(1);
    for (int i = 0; i < LutChannel::kEntries; ++i) {
        channel.SetOutputLevel(i, 2048);
    }
    channel.SetMode(LutChannel::kViewMode);
    channel.ConvertEditable(16);
    EXPECT_EQ(channel.GetMode(), LutChannel::kEditMode);
    ASSERT_EQ(channel.PointCount(), 16);
    EXPECT_EQ(channel.Point(3).x, 51);
    EXPECT_EQ(channel.Point(3).y, 128);
    EXPECT_EQ(channel.Point(15).x, 256);
    EXPECT_EQ(channel.Point(15).y, 0);
    // The table follows the flat points and rises to the top right corner at the end.
    EXPECT_NEAR(channel.OutputLevel(100), 2048.0, 20.0);
    EXPECT_GE(channel.OutputLevel(255), 4064u);

    channel.ClearTable();
    EXPECT_EQ(channel.PointCount(), 2);
    EXPECT_EQ(channel.OutputLevel(128), 2048u);
}

// The gamma data file.
class GammaFileTest : public testing::Test {
protected:
    Lines Messages() { return notifier.Texts(); }
    TemporaryFolder folder;
    RecordingNotifier notifier;
    LutTables tables;
};

TEST_F(GammaFileTest, AMonochromeFileReadsBackUnchanged) {
    for (int i = 0; i < LutChannel::kEntries; ++i) {
        tables.Channel(1).SetOutputLevel(i, static_cast<uint32_t>((i * 37) % 4096));
    }
    const std::string path = folder.File("mono.csv");
    ASSERT_TRUE(GammaFile::WriteGammaFile(path, tables, true, notifier));
    const std::string text = ReadText(path);
    EXPECT_EQ(text.substr(0, 14), "GammaData\n0\n37");
    EXPECT_EQ(text.back(), '\n');

    LutTables loaded;
    ASSERT_TRUE(GammaFile::ReadGammaFile(path, loaded, notifier));
    for (int i = 0; i < LutChannel::kEntries; ++i) {
        ASSERT_EQ(loaded.Channel(1).OutputLevel(i), tables.Channel(1).OutputLevel(i)) << i;
        ASSERT_EQ(loaded.Channel(0).OutputLevel(i), 0u) << i;
    }
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(loaded.Channel(c).GetMode(), LutChannel::kViewMode);
    }
    EXPECT_EQ(Messages(), Lines{});
}

TEST_F(GammaFileTest, AThreeChannelFileReadsBackIntoAllThreeChannels) {
    for (int i = 0; i < LutChannel::kEntries; ++i) {
        for (int c = 0; c < 3; ++c) {
            tables.Channel(c).SetOutputLevel(i, static_cast<uint32_t>(i * 16 + c));
        }
    }
    const std::string path = folder.File("rgb.csv");
    ASSERT_TRUE(GammaFile::WriteGammaFile(path, tables, false, notifier));
    EXPECT_EQ(ReadText(path).substr(0, 30), "GammaData (R G B)\n0,1,2\n16,17,");

    LutTables loaded;
    ASSERT_TRUE(GammaFile::ReadGammaFile(path, loaded, notifier));
    for (int i = 0; i < LutChannel::kEntries; ++i) {
        for (int c = 0; c < 3; ++c) {
            ASSERT_EQ(loaded.Channel(c).OutputLevel(i), tables.Channel(c).OutputLevel(i)) << i;
        }
    }
    EXPECT_EQ(Messages(), Lines{});
}

TEST_F(GammaFileTest, OnlyDigitsCountAndALevelAbove4095IsToldOnceAndLimited) {
    const std::string path = folder.File("odd.csv");
    WriteText(path, "anything\n-12\n1.5\n4 095\n5000\n7000\n");
    ASSERT_TRUE(GammaFile::ReadGammaFile(path, tables, notifier));
    const std::vector<uint32_t> expected{12, 15, 4095, 4095, 4095};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(tables.Channel(1).OutputLevel(i), expected[i]) << i;
    }
    // The entries the file does not hold keep their levels.
    EXPECT_EQ(tables.Channel(1).OutputLevel(128), 2048u);
    EXPECT_EQ(Messages(), (Lines{"Invalid data value: Line(3) : Value(5000)",
                                 "The file held 5 of the 256 levels: entries 5 to 255 keep the "
                                 "levels they had."}));
    EXPECT_EQ(notifier.Messages()[0].icon, MessageIcon::Error);
}

TEST_F(GammaFileTest, FilesItCannotTakeAreRefusedWithTheirMessages) {
    std::string text = "GammaData\n";
    for (int i = 0; i < 256; ++i) {
        text += "1\n";
    }
    WriteText(folder.File("long.csv"), text + "\n");
    const uint32_t before = tables.Channel(1).OutputLevel(255);
    EXPECT_FALSE(GammaFile::ReadGammaFile(folder.File("long.csv"), tables, notifier));
    // A refused file leaves the tables as they were, so that nothing of it reaches the camera.
    EXPECT_EQ(tables.Channel(1).OutputLevel(255), before);
    EXPECT_EQ(tables.Channel(1).OutputLevel(0), 0u);
    EXPECT_EQ(tables.Channel(1).GetMode(), LutChannel::kEditMode);

    WriteText(folder.File("four.csv"), "GammaData\n7\n1,2,3,4\n");
    EXPECT_FALSE(GammaFile::ReadGammaFile(folder.File("four.csv"), tables, notifier));
    EXPECT_EQ(tables.Channel(1).OutputLevel(0), 0u);

    const std::string missing = folder.File("none/lut.csv");
    EXPECT_FALSE(GammaFile::ReadGammaFile(missing, tables, notifier));
    EXPECT_FALSE(GammaFile::WriteGammaFile(missing, tables, true, notifier));
    EXPECT_EQ(Messages(), (Lines{"Too many data", "Invaild data count format",
                                 missing + "\nCouldn't open this file",
                                 missing + "\nCouldn't open this file"}));
}

}  // namespace
