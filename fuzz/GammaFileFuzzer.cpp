// The gamma data file (.csv) reader. The file is read into tables that hold a pattern of their
// own, and every line the reader takes is checked against the rule it follows: one level fills
// channel 1, two fill channels 1 and 2, three fill all three, the missing ones get 0, a level
// above 4095 is taken as 4095 (and told once), a file of fewer lines than entries is told so,
// and a line with more levels or a 257th line fails the read. A failed read leaves the channels
// in Edit Mode; a good one shows them in View Mode. A file that was read is then written in
// both forms and must read back to its tables.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "core/Notifier.h"
#include "files/GammaFile.h"
#include "files/LutChannel.h"
#include "fuzz/ScratchFolder.h"

namespace {

using Levels = std::array<std::array<uint32_t, LutChannel::kEntries>, 3>;

// The reader takes a line in parts of at most this many bytes.
constexpr std::size_t kLinePart = 126;

class CountingNotifier : public Notifier {
public:
    MessageAnswer Present(const MessageRequest& request) override {
        ++told;
        lastIcon = request.icon;
        return MessageAnswer::Ok;
    }
    int told = 0;
    MessageIcon lastIcon = MessageIcon::None;
};

class CountingView : public LutChannelView {
public:
    void Invalidate() override {}
    void DrawNow() override { ++drawn; }
    void ActivateWindow() override {}
    OperatorWindow* Window() override { return nullptr; }
    int drawn = 0;
};

// Levels no line of a file gives on its own, so that an entry the reader should not have
// touched shows.
uint32_t PatternLevel(int channel, int entry) {
    return static_cast<uint32_t>((entry * 13 + channel * 1000 + 7) % (LutChannel::kMaxLevel + 1));
}

// What a read should give, worked out from the bytes without the reader.
struct Expectation {
    bool ok = true;
    bool tooLarge = false;
    bool shortFile = false;  // fewer data lines than entries, which is told
    Levels levels{};
};

Expectation Expect(const std::string& text) {
    Expectation expected;
    for (int c = 0; c < 3; ++c) {
        for (int i = 0; i < LutChannel::kEntries; ++i) {
            expected.levels[c][i] = PatternLevel(c, i);
        }
    }
    std::vector<std::string> lines;
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t length = std::min(kLinePart, text.size() - pos);
        const std::size_t newline = text.find('\n', pos);
        if (newline != std::string::npos && newline - pos < length) {
            length = newline - pos + 1;
        }
        lines.push_back(text.substr(pos, length));
        pos += length;
    }
    // The first line is the header.
    expected.shortFile = lines.size() < static_cast<std::size_t>(LutChannel::kEntries) + 1;
    for (std::size_t k = 1; k < lines.size(); ++k) {
        const int entry = static_cast<int>(k - 1);
        if (entry >= LutChannel::kEntries) {
            expected.ok = false;
            break;
        }
        std::vector<uint32_t> numbers(1, 0);
        for (const char c : lines[k]) {
            if (c >= '0' && c <= '9') {
                // Held just past the largest level: all that matters is whether it is larger.
                numbers.back() =
                    std::min<uint32_t>(numbers.back() * 10 + (c - '0'), LutChannel::kMaxLevel + 1);
            } else if (c == ',') {
                numbers.push_back(0);
            }
        }
        if (numbers.size() > 3) {
            expected.ok = false;
            break;
        }
        for (uint32_t& number : numbers) {
            if (number > LutChannel::kMaxLevel) {
                expected.tooLarge = true;
                number = LutChannel::kMaxLevel;
            }
        }
        // Fewer than three levels start at channel 1.
        const std::size_t first = numbers.size() == 3 ? 0 : 1;
        std::array<uint32_t, 3> row{};
        std::copy(numbers.begin(), numbers.end(), row.begin() + first);
        for (int c = 0; c < 3; ++c) {
            expected.levels[c][entry] = row[c];
        }
    }
    return expected;
}

// New tables are built once and copied: building one computes its curve, which would take most
// of each run.
LutTables& Fresh() {
    static LutTables fresh;
    return fresh;
}

LutTables& Patterned() {
    static LutTables patterned = [] {
        LutTables tables = Fresh();
        for (int c = 0; c < 3; ++c) {
            for (int i = 0; i < LutChannel::kEntries; ++i) {
                tables.Channel(c).SetOutputLevel(i, PatternLevel(c, i));
            }
        }
        return tables;
    }();
    return patterned;
}

Levels LevelsOf(LutTables& tables) {
    Levels levels{};
    for (int c = 0; c < 3; ++c) {
        for (int i = 0; i < LutChannel::kEntries; ++i) {
            levels[c][i] = tables.Channel(c).OutputLevel(i);
        }
    }
    return levels;
}

// The tables written in one form and read back into new ones, which must read cleanly.
Levels ReadBack(LutTables& tables, bool monochrome) {
    const std::string path = ScratchFolder() + "/written.csv";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        << GammaFile::FormatGammaFile(tables, monochrome);
    LutTables again = Fresh();
    CountingNotifier notifier;
    if (!GammaFile::ReadGammaFile(path, again, notifier) || notifier.told != 0) {
        abort();
    }
    return LevelsOf(again);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string path = ScratchFolder() + "/gamma.csv";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;

    LutTables tables = Patterned();
    std::array<CountingView, 3> views;
    for (int c = 0; c < 3; ++c) {
        tables.Channel(c).SetView(&views[c]);
    }
    LutTables& fresh = Fresh();
    CountingNotifier notifier;
    const bool ok = GammaFile::ReadGammaFile(path, tables, notifier);
    const Levels levels = LevelsOf(tables);

    for (int c = 0; c < 3; ++c) {
        LutChannel& channel = tables.Channel(c);
        const int32_t mode = ok ? LutChannel::kViewMode : LutChannel::kEditMode;
        if (channel.GetMode() != mode || (ok && views[c].drawn == 0)) {
            abort();
        }
        // The reader fills output levels only.
        if (channel.PointCount() != fresh.Channel(c).PointCount()) {
            abort();
        }
        for (int i = 0; i < LutChannel::kEntries; ++i) {
            if (levels[c][i] > static_cast<uint32_t>(LutChannel::kMaxLevel) ||
                channel.InputLevel(i) != fresh.Channel(c).InputLevel(i)) {
                abort();
            }
        }
    }
    if (!ok && (notifier.told == 0 || notifier.lastIcon != MessageIcon::Error)) {
        abort();
    }
    if (ok && notifier.told > 2) {
        abort();
    }

    // A line is a C string to the reader, so what follows a zero byte is not defined; a text
    // file has none.
    if (std::memchr(data, 0, size) == nullptr) {
        const Expectation expected = Expect(text);
        if (ok != expected.ok) {
            abort();
        }
        if (ok && (levels != expected.levels ||
                   notifier.told != int{expected.tooLarge} + int{expected.shortFile})) {
            abort();
        }
    }

    if (ok) {
        if (ReadBack(tables, false) != levels) {
            abort();
        }
        Levels monochrome{};
        monochrome[LutTables::kMonochrome] = levels[LutTables::kMonochrome];
        if (ReadBack(tables, true) != monochrome) {
            abort();
        }
    }
    return 0;
}
