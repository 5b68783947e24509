#pragma once

#include <array>
#include <cstdint>

#include "protocol/CommandTable.h"

constexpr int kLutSize = 256;
constexpr int32_t kLutMaxLevel = 4095;

// One parameter set as the camera runs it and as a flash area holds it: the value of every
// command whose rule is inArea (indexed by command id; other slots unused), and the LUT.
struct CameraSettings {
    std::array<int32_t, CommandTable::kCommandCount> values{};
    std::array<int32_t, kLutSize> lut{};

    // Every setting at its power-up value, the serial rate given by its CBDRT code, and a
    // linear LUT (entry i passes input level 16 x i through unchanged).
    static CameraSettings PowerUpDefaults(int32_t baudCode);

    bool operator==(const CameraSettings& other) const {
        return values == other.values && lut == other.lut;
    }
    bool operator!=(const CameraSettings& other) const { return !(*this == other); }
};
