#pragma once

#include <array>
#include <cstdint>
#include <string>

class OperatorWindow;

// The window that shows one channel, as the channel and the table flows see it. The LUT editor
// implements it; without a window a channel simply has none.
class LutChannelView {
public:
    virtual ~LutChannelView() = default;
    // Repaint when the window next gets to it.
    virtual void Invalidate() = 0;
    // Repaint before returning.
    virtual void DrawNow() = 0;
    virtual void ActivateWindow() = 0;
    virtual OperatorWindow* Window() = 0;
};

// Mouse buttons and keys held during a mouse move, as one set of flags.
enum MouseKeys : unsigned {
    kMouseLeft = 0x01,
    kMouseRight = 0x02,
    kMouseShift = 0x04,
    kMouseControl = 0x08,
    kMouseMiddle = 0x10,
    kMouseExtra1 = 0x20,
    kMouseExtra2 = 0x40,
};

struct LutPoint {
    int32_t x = 0;
    int32_t y = 0;
};

// One look-up table of the camera (one colour channel) with the edit points that shape it.
// Graph pixels: x 0 (left) to 256 (right) is the input level / 16; y 0 (top) to 256 (bottom),
// an output level L sitting at y = 256 - L / 16. In Edit Mode the table follows the points and is
// recomputed at every change; in View Mode it stays as read or loaded.
class LutChannel {
public:
    static constexpr int kEntries = 256;
    static constexpr int kMaxPoints = 16;
    static constexpr int kMaxMouseAddedPoints = 15;
    static constexpr int32_t kMaxLevel = 4095;
    static constexpr int32_t kGraphSize = 256;  // left = top = 0, right = bottom = 256
    enum Mode : int32_t { kEditMode = 0, kViewMode = 1 };

    explicit LutChannel(int32_t colorIndex);

    int32_t ColorIndex() const { return colorIndex_; }
    int32_t GetMode() const { return mode_; }
    int32_t PointCount() const { return pointCount_; }
    const LutPoint& Point(int index) const { return points_[index]; }
    uint32_t InputLevel(int entry) const { return inputLevels_[entry]; }
    uint32_t OutputLevel(int entry) const { return outputLevels_[entry]; }
    // A level taken as it stands (the transfers and the file reader limit it first).
    void SetOutputLevel(int entry, uint32_t level) { outputLevels_[entry] = level; }

    void SetMode(int32_t mode);
    // A mouse move at graph pixel (x, y) with the buttons and keys held; true when it changed
    // the points.
    bool OnMouseMove(int32_t x, int32_t y, unsigned keys);
    // Moves point index by (dx, dy) graph pixels, kept inside the graph, as a drag to that
    // place does. Returns the point's index once the points are sorted again, or -1 when
    // nothing moved.
    int MovePoint(int index, int32_t dx, int32_t dy);
    // count points (2 to 16) on the current table, then Edit Mode.
    void ConvertEditable(int32_t count);
    // The straight line from bottom left to top right, then Edit Mode.
    void ClearTable();
    // The table from the points: for each entry's input level, the first sample along the curve
    // whose distance from it has the whole part of the nearest sample's distance.
    void RecomputeTable();

    void SetView(LutChannelView* view) { view_ = view; }
    LutChannelView* View() const { return view_; }
    void Invalidate();
    void DrawNow();

    // "LUT Setting for Red", "... Green", "... Blue".
    static std::string Title(int32_t colorIndex);
    static const char* MonochromeTitle() { return "LUT Setting for Monochrome"; }
    // "Edit Mode", "View Mode", "Unknown Mode".
    static const char* ModeText(int32_t mode);

private:
    void Changed();
    void SortPoints();

    int32_t colorIndex_;
    std::array<int32_t, kMaxPoints> pointUsed_{};
    int32_t pointCount_ = 2;
    std::array<LutPoint, kMaxPoints> points_{};
    std::array<uint32_t, kEntries> inputLevels_{};
    std::array<uint32_t, kEntries> outputLevels_{};
    int32_t mode_ = kEditMode;
    LutChannelView* view_ = nullptr;
};

// The three channels: 0 red, 1 green, 2 blue. A monochrome camera uses channel 1 alone.
class LutTables {
public:
    static constexpr int kMonochrome = 1;
    LutTables() : channels_{LutChannel(0), LutChannel(1), LutChannel(2)} {}
    LutChannel& Channel(int colorIndex) { return channels_[colorIndex]; }

private:
    std::array<LutChannel, 3> channels_;
};
