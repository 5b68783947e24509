#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "tools/rvsim/CameraSettings.h"

constexpr int kAreaCount = 4;  // 0 factory, 1 to 3 user

// What the camera keeps in flash: the four areas, the boot area and the identity data.
struct CameraMemory {
    std::array<CameraSettings, kAreaCount> areas;
    int32_t bootArea = 0;  // the area loaded at power-up and after a reset
    std::string model;
    std::string cameraId;
    std::string userId;
    std::string deviceVersion;
    int32_t xmlVersion = 0;

    // A camera as it leaves the factory: every area at the power-up values.
    static CameraMemory FactoryNew(const std::string& model, int32_t baudCode);
};
