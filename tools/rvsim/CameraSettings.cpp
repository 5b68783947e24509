#include "tools/rvsim/CameraSettings.h"

#include <algorithm>

#include "tools/rvsim/CommandRule.h"

CameraSettings CameraSettings::PowerUpDefaults(int32_t baudCode) {
    CameraSettings settings;
    for (int id = 0; id < CommandTable::kCommandCount; ++id) {
        const CommandRule& rule = CommandRules::Of(id);
        if (rule.inArea) {
            settings.values[id] = rule.powerUpValue;
        }
    }
    settings.values[CommandTable::IdOf("CBDRT")] = baudCode;
    for (int i = 0; i < kLutSize; ++i) {
        settings.lut[i] = std::min(16 * i, kLutMaxLevel);
    }
    settings.lut[kLutSize - 1] = kLutMaxLevel;
    return settings;
}
