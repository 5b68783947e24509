#include <gtest/gtest.h>

#include <string>

#include "tools/rvsim/ReplyShaper.h"

namespace {

TEST(ReplyShaper, AnswerGoesOutWithCrLf) {
    ReplyShaper shaper(FaultConfig{});
    const ShapedAnswer shaped = shaper.Shape("GA=100");
    EXPECT_EQ(shaped.bytes, "GA=100\r\n");
    EXPECT_TRUE(shaped.note.empty());
}

TEST(ReplyShaper, SilentCameraSendsNothing) {
    FaultConfig faults;
    faults.silent = true;
    ReplyShaper shaper(faults);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(shaper.Shape("COMPLETE").bytes.empty());
    }
}

TEST(ReplyShaper, EveryThirdAnswerIsDropped) {
    FaultConfig faults;
    faults.dropEvery = 3;
    ReplyShaper shaper(faults);
    for (int i = 1; i <= 7; ++i) {
        const ShapedAnswer shaped = shaper.Shape("COMPLETE");
        EXPECT_EQ(shaped.bytes.empty(), i % 3 == 0) << "answer " << i;
        EXPECT_EQ(shaped.note.empty(), i % 3 != 0) << "answer " << i;
    }
}

TEST(ReplyShaper, EverySecondAnswerIsOneLineOfRandomBytes) {
    FaultConfig faults;
    faults.garbageEvery = 2;
    ReplyShaper shaper(faults);
    EXPECT_EQ(shaper.Shape("GA=100").bytes, "GA=100\r\n");
    for (int i = 0; i < 20; ++i) {
        const std::string garbage = shaper.Shape("GA=100").bytes;
        ASSERT_GE(garbage.size(), 10u);
        EXPECT_EQ(garbage.substr(garbage.size() - 2), "\r\n");
        const std::string body = garbage.substr(0, garbage.size() - 2);
        EXPECT_EQ(body.find_first_of("\r\n"), std::string::npos);  // still exactly one line
        EXPECT_NE(body, "GA=100");
        EXPECT_EQ(shaper.Shape("GA=100").bytes, "GA=100\r\n");
    }
}

TEST(ReplyShaper, NoLfIsSentOnceTheByteCountIsReached) {
    FaultConfig faults;
    faults.noLfAfter = 12;
    ReplyShaper shaper(faults);
    EXPECT_EQ(shaper.Shape("GA=100").bytes, "GA=100\r\n");  // bytes 0..7
    for (int i = 0; i < 3; ++i) {
        const std::string runaway = shaper.Shape("COMPLETE").bytes;
        EXPECT_EQ(runaway.find('\n'), std::string::npos);
        EXPECT_EQ(runaway.rfind("COMPLETE\r", 0), 0u);
        EXPECT_GE(runaway.size(), ReplyShaper::kRunawayFiller);
    }
}

}  // namespace
