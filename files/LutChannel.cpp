#include "files/LutChannel.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "files/NaturalCubicSpline.h"

namespace {

constexpr double kSampleStep = 0.002;
constexpr std::size_t kSampleCapacity = 8000;
constexpr int32_t kMoveTolerance = 32;
constexpr int32_t kDeleteTolerance = 16;

// A stretch of consecutive curve samples whose input levels never fall (rising) or never rise.
// Against one level its distances first shrink and then grow, so a cursor at the level finds its
// nearest sample, and the table's levels, taken in order, move the cursor on steadily.
struct MonotoneRun {
    std::size_t first = 0;
    std::size_t end = 0;
    bool rising = true;
    // The first sample of the run past the level.
    std::size_t cursor = 0;
    // One of the run's samples nearest to the level, and its distance.
    std::size_t nearest = 0;
    double distance = 0;
};

std::vector<MonotoneRun> MonotoneRuns(const std::vector<double>& levels) {
    std::vector<MonotoneRun> runs;
    std::size_t first = 0;
    while (first < levels.size()) {
        std::size_t end = first + 1;
        while (end < levels.size() && levels[end] == levels[first]) {
            ++end;
        }
        const bool rising = end < levels.size() && levels[end] > levels[first];
        while (end < levels.size() &&
               (rising ? levels[end] >= levels[end - 1] : levels[end] <= levels[end - 1])) {
            ++end;
        }
        MonotoneRun run;
        run.first = first;
        run.end = end;
        run.rising = rising;
        run.cursor = first;
        runs.push_back(run);
        first = end;
    }
    return runs;
}

}  // namespace

LutChannel::LutChannel(int32_t colorIndex) : colorIndex_(colorIndex) {
    pointUsed_[0] = 1;
    pointUsed_[1] = 1;
    points_[0] = {0, kGraphSize};
    points_[1] = {kGraphSize, 0};
    for (int i = 0; i < kEntries - 1; ++i) {
        inputLevels_[i] = static_cast<uint32_t>(16 * i);
    }
    inputLevels_[kEntries - 1] = kMaxLevel;
    RecomputeTable();
}

void LutChannel::SetMode(int32_t mode) {
    mode_ = mode;
    Changed();
}

bool LutChannel::OnMouseMove(int32_t x, int32_t y, unsigned keys) {
    if (keys != kMouseLeft && keys != kMouseRight) {
        return false;
    }
    if (x < 0 || x > kGraphSize || y < 0 || y > kGraphSize) {
        return false;
    }
    const LutPoint p{x, y};
    bool changed = false;
    if (keys == kMouseLeft) {
        int found = -1;
        for (int k = 0; k < pointCount_ && found < 0; ++k) {
            if (std::abs(p.x - points_[k].x) <= kMoveTolerance &&
                std::abs(p.y - points_[k].y) <= kMoveTolerance) {
                found = k;
            }
        }
        if (found >= 0) {
            points_[found] = p;
            changed = true;
        } else if (pointCount_ < kMaxMouseAddedPoints) {
            points_[pointCount_] = p;
            pointUsed_[pointCount_] = 1;
            ++pointCount_;
            changed = true;
        }
    } else {
        // End points stay: only inner points can be deleted.
        for (int k = 1; k < pointCount_ - 1; ++k) {
            if (std::abs(p.x - points_[k].x) <= kDeleteTolerance &&
                std::abs(p.y - points_[k].y) <= kDeleteTolerance) {
                for (int j = k; j < pointCount_ - 1; ++j) {
                    points_[j] = points_[j + 1];
                    pointUsed_[j] = pointUsed_[j + 1];
                }
                --pointCount_;
                pointUsed_[pointCount_] = 0;
                changed = true;
                break;
            }
        }
    }
    if (changed) {
        SortPoints();
        Changed();
    }
    return changed;
}

int LutChannel::MovePoint(int index, int32_t dx, int32_t dy) {
    if (index < 0 || index >= pointCount_) {
        return -1;
    }
    const LutPoint to{std::clamp(points_[index].x + dx, 0, kGraphSize),
                      std::clamp(points_[index].y + dy, 0, kGraphSize)};
    if (to.x == points_[index].x && to.y == points_[index].y) {
        return -1;
    }
    points_[index] = to;
    SortPoints();
    Changed();
    for (int k = 0; k < pointCount_; ++k) {
        if (points_[k].x == to.x && points_[k].y == to.y) {
            return k;
        }
    }
    return -1;
}

void LutChannel::SortPoints() {
    for (int i = 0; i < pointCount_; ++i) {
        for (int j = 0; j < pointCount_; ++j) {
            if (points_[i].x < points_[j].x) {
                std::swap(points_[i], points_[j]);
                std::swap(pointUsed_[i], pointUsed_[j]);
            }
        }
    }
}

void LutChannel::ConvertEditable(int32_t count) {
    if (count < 2) {
        count = 2;
    } else if (count > kMaxPoints) {
        count = kMaxPoints;
    }
    for (int k = 0; k <= count - 2; ++k) {
        const int32_t x =
            static_cast<int32_t>(static_cast<float>(k) / static_cast<float>(count - 1) * 256.0f);
        const int32_t y = static_cast<int32_t>(kGraphSize - outputLevels_[x] * 0.0625);
        points_[k] = {x, y};
    }
    points_[count - 1] = {kGraphSize, 0};
    // Slots past the new count hold no point any more.
    for (int k = 0; k < kMaxPoints; ++k) {
        pointUsed_[k] = k < count ? 1 : 0;
    }
    pointCount_ = count;
    SetMode(kEditMode);
}

void LutChannel::ClearTable() {
    points_[0] = {0, kGraphSize};
    points_[1] = {kGraphSize, 0};
    pointUsed_.fill(0);
    pointUsed_[0] = 1;
    pointUsed_[1] = 1;
    pointCount_ = 2;
    SetMode(kEditMode);
}

void LutChannel::RecomputeTable() {
    const int n = pointCount_;
    std::vector<double> xs(n), ys(n);
    for (int k = 0; k < n; ++k) {
        xs[k] = points_[k].x;
        ys[k] = points_[k].y;
    }
    const NaturalCubicSpline curveX(xs);
    const NaturalCubicSpline curveY(ys);
    // Each sample's input level (x scaled by 16, which is exact) and its y.
    std::vector<double> sampleLevel, sampleY;
    sampleLevel.reserve(kSampleCapacity);
    sampleY.reserve(kSampleCapacity);
    // Accumulated by addition, as the sample count depends on the rounding it brings.
    for (double t = 0.0; t <= n && sampleLevel.size() < kSampleCapacity; t += kSampleStep) {
        sampleLevel.push_back(16.0 * curveX(t));
        sampleY.push_back(curveY(t));
    }
    std::vector<MonotoneRun> runs = MonotoneRuns(sampleLevel);
    for (int i = 0; i < kEntries; ++i) {
        const double input = inputLevels_[i];
        const auto distance = [&](std::size_t j) { return std::fabs(input - sampleLevel[j]); };
        double nearest = std::numeric_limits<double>::infinity();
        for (MonotoneRun& run : runs) {
            const auto before = [&](std::size_t j) {
                return run.rising ? sampleLevel[j] < input : sampleLevel[j] >= input;
            };
            while (run.cursor < run.end && before(run.cursor)) {
                ++run.cursor;
            }
            while (run.cursor > run.first && !before(run.cursor - 1)) {
                --run.cursor;
            }
            run.nearest = run.cursor < run.end ? run.cursor : run.cursor - 1;
            if (run.cursor > run.first && distance(run.cursor - 1) < distance(run.nearest)) {
                run.nearest = run.cursor - 1;
            }
            run.distance = distance(run.nearest);
            nearest = std::min(nearest, run.distance);
        }
        // The entry takes the first sample along the curve whose distance has the same whole
        // part as the nearest one's, not necessarily the nearest itself.
        const double within = std::floor(nearest) + 1.0;
        const MonotoneRun& run = *std::find_if(
            runs.begin(), runs.end(), [&](const MonotoneRun& r) { return r.distance < within; });
        // Up to its nearest sample the run's distances only shrink.
        std::size_t chosen = run.first;
        std::size_t last = run.nearest;
        while (chosen < last) {
            const std::size_t middle = chosen + (last - chosen) / 2;
            if (distance(middle) < within) {
                last = middle;
            } else {
                chosen = middle + 1;
            }
        }
        double level = (kGraphSize - sampleY[chosen]) * 16.0;
        level = std::trunc(level);
        if (level < 0) {
            level = 0;
        } else if (level > kMaxLevel) {
            level = kMaxLevel;
        }
        outputLevels_[i] = static_cast<uint32_t>(level);
    }
}

void LutChannel::Changed() {
    if (mode_ == kEditMode) {
        RecomputeTable();
    }
    Invalidate();
}

void LutChannel::Invalidate() {
    if (view_ != nullptr) {
        view_->Invalidate();
    }
}

void LutChannel::DrawNow() {
    if (view_ != nullptr) {
        view_->DrawNow();
    }
}

std::string LutChannel::Title(int32_t colorIndex) {
    static const char* const kColours[] = {"Red", "Green", "Blue"};
    const char* colour = colorIndex >= 0 && colorIndex < 3 ? kColours[colorIndex] : "Red";
    return std::string("LUT Setting for ") + colour;
}

const char* LutChannel::ModeText(int32_t mode) {
    switch (mode) {
        case kEditMode:
            return "Edit Mode";
        case kViewMode:
            return "View Mode";
        default:
            return "Unknown Mode";
    }
}
