#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

#include "files/LutChannel.h"
#include "files/NaturalCubicSpline.h"

namespace {

// The reference for the table: the curve sampled as the channel samples it, and every entry
// searched against every sample, the first one found nearer than the whole part of the best
// distance so far winning.
std::array<uint32_t, LutChannel::kEntries> ReferenceTable(const LutChannel& channel) {
    const int n = channel.PointCount();
    std::vector<double> xs(n), ys(n);
    for (int k = 0; k < n; ++k) {
        xs[k] = channel.Point(k).x;
        ys[k] = channel.Point(k).y;
    }
    const NaturalCubicSpline curveX(xs);
    const NaturalCubicSpline curveY(ys);
    std::vector<double> sampleX, sampleY;
    for (double t = 0.0; t <= n && sampleX.size() < 8000; t += 0.002) {
        sampleX.push_back(curveX(t));
        sampleY.push_back(curveY(t));
    }
    std::array<uint32_t, LutChannel::kEntries> table{};
    for (int i = 0; i < LutChannel::kEntries; ++i) {
        int32_t best = 999999;
        std::size_t chosen = 0;
        for (std::size_t j = 0; j < sampleX.size(); ++j) {
            const double e = std::fabs(channel.InputLevel(i) - 16.0 * sampleX[j]);
            if (e < best) {
                chosen = j;
                best = static_cast<int32_t>(e);
            }
        }
        const double level = std::trunc((LutChannel::kGraphSize - sampleY[chosen]) * 16.0);
        table[i] = static_cast<uint32_t>(std::clamp(level, 0.0, 1.0 * LutChannel::kMaxLevel));
    }
    return table;
}

TEST(LutCurveTest, TheTableEqualsTheReferenceOnRandomPoints) {
    std::mt19937 random(20261207);
    const auto below = [&](uint32_t limit) { return static_cast<int32_t>(random() % limit); };
    LutChannel channel(1);
    // Each run checks 300 sets; RV_LUT_IDENTITY_SETS=10000 gives the full check (half a minute).
    const char* asked = std::getenv("RV_LUT_IDENTITY_SETS");
    const int sets = asked != nullptr ? std::atoi(asked) : 300;
    for (int set = 0; set < sets; ++set) {
        // 2 to 16 points on the last table, then clicks while in View Mode, which change the
        // points without recomputing the table: far ones add a point, near ones move it. The
        // ends and the x or y of a point already there come often, for ties, repeated x and
        // points on the edges.
        channel.ConvertEditable(2 + below(15));
        channel.SetMode(LutChannel::kViewMode);
        for (int click = below(16); click > 0; --click) {
            const LutPoint& other = channel.Point(below(channel.PointCount()));
            const int32_t choice = below(8);
            const int32_t x = choice == 0   ? 0
                              : choice == 1 ? 256
                              : choice < 4  ? other.x
                                            : below(257);
            const int32_t y = choice == 4   ? 0
                              : choice == 5 ? 256
                              : choice == 6 ? other.y
                                            : below(257);
            channel.OnMouseMove(x, y, kMouseLeft);
        }
        channel.SetMode(LutChannel::kEditMode);
        const std::array<uint32_t, LutChannel::kEntries> expected = ReferenceTable(channel);
        for (int i = 0; i < LutChannel::kEntries; ++i) {
            ASSERT_EQ(channel.OutputLevel(i), expected[i]) << "set " << set << ", entry " << i;
        }
    }
}

}  // namespace
