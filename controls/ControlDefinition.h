#pragma once

#include <cstdint>

// Widget kind of a control-table row.
enum ControlKind : int32_t {
    kListControl = 4,      // drop-down list
    kSpinEditControl = 6,  // numeric edit with a spin buddy
    kButtonControl = 7,    // push button; holds no value
};

enum ParamClass : int32_t {
    kActionParam = 0,
    kUserParam = 1,
    kFactoryParam = 2,
};

// The fixed part of a control-table row.
struct ControlDefinition {
    int32_t ctrlId;
    int32_t cmdId;
    int32_t kind;
    int32_t spinMode;
    int32_t paramClass;
    int32_t minValue;
    int32_t maxValue;
    int32_t initialValue;
    int32_t inFile;
    bool readBack;  // read from the camera by a full settings read
};

constexpr int32_t kOpenTop = 2147483647;

namespace ControlDefinitions {

constexpr int kRowCount = 57;

constexpr int32_t L = kListControl;
constexpr int32_t S = kSpinEditControl;
constexpr int32_t B = kButtonControl;
constexpr int32_t A = kActionParam;
constexpr int32_t U = kUserParam;
constexpr int32_t F = kFactoryParam;

// Row order is the order of every scan: camera reads, camera writes and settings files.
// clang-format off
inline constexpr ControlDefinition kRows[kRowCount] = {
    // ctrl  cmd kind spin class   min       max   initial inFile readBack
    {1124, 11, L, 0, U,    0,        0,         0, 0, true},   // Baud Rate, CBDRT
    {1096, 13, L, 0, U,    0,        0,         0, 1, true},   // Trigger Origin, TG
    {1098, 14, L, 0, U,    0,        0,         0, 1, true},   // Trigger Input, TI
    {1099, 15, L, 0, U,    0,        0,         0, 1, true},   // Trigger Activation, TA
    {1186, 16, L, 0, U,    0,        0,         0, 1, true},   // Auto Reset Mode, ARST
    {1092, 17, L, 0, U,    0,        0,         0, 1, true},   // Exposure Mode, EM
    {1093, 18, S, 0, U,    0,        kOpenTop,  0, 1, true},   // Exposure Time Raw, PE
    {1172, 19, L, 0, U,    0,        0,         0, 0, false},  // Exposure Auto, ASC
    {1111, 20, S, 0, U,    0,        kOpenTop,  0, 0, false},  // Exposure Auto Max, ASCEA
    {1112, 21, S, 0, U,    0,        kOpenTop,  0, 0, false},  // Exposure Auto Min, ASCEI
    {1187, 23, S, 0, U,    0,        kOpenTop,  0, 1, true},   // Line Rate, LR
    {1191, 24, B, 0, A,    0,        0,         0, 0, false},  // One-push, AR
    {1189, 25, S, 0, U,    0,        1023,      0, 1, true},   // Auto Line rate ref, AL
    {1122, 29, L, 0, U,    0,        0,         0, 1, true},   // Binning V, BI
    {1223, 30, L, 0, U,    0,        0,         0, 1, true},   // Binning H, HB
    {1225, 31, L, 0, U,    0,        0,         0, 1, true},   // Binning Horizontal Mode, HBM
    {1100, 32, L, 0, U,    0,        0,         0, 1, true},   // Bit Allocation, BA
    {1123, 33, L, 0, U,    0,        0,         0, 1, true},   // Device Tap Geometry, TAGM
    {1174, 34, L, 0, U,    0,        0,         0, 1, true},   // CL Clock, CLC
    {1119, 35, L, 0, U,    0,        0,         0, 0, true},   // Test Pattern, TS
    {1041, 36, S, 0, U,    100,      1600,    100, 1, true},   // Gain Level, GA
    {1173, 37, L, 0, U,    0,        2,         0, 0, false},  // Gain Auto, AGC
    {1147, 38, S, 0, U,    1,        8,         4, 0, false},  // Alc Speed, ALCS
    {1102, 39, S, 0, U,    20,       95,       20, 0, false},  // Alc Reference, AGCF
    {1104, 40, S, 0, U,    101,      1600,   1600, 0, false},  // Gain Auto Max, AGCGA
    {1105, 41, S, 0, U,    100,      1599,    100, 0, false},  // Gain Auto Min, AGCGI
    {1217, 43, L, 0, U,    0,        0,         0, 1, true},   // Analog Base Gain All, ABG
    {1139, 44, S, 0, U,    -133,     255,       0, 1, true},   // Black Level, BL
    {1120, 45, L, 0, U,    0,        0,         0, 1, true},   // Shading Correction mode, SDC
    {1121, 46, B, 0, A,    0,        0,         0, 0, false},  // Recalibrate Shading, SDR
    {1192, 48, L, 0, U,    0,        0,         0, 1, true},   // Pixel Gain Correction mode, PGC
    {1193, 49, B, 0, A,    0,        0,         0, 0, false},  // Recalibrate Pixel Gain, PGR
    {1184, 51, L, 0, U,    0,        0,         0, 1, true},   // Pixel Black Correction mode, PBC
    {1183, 52, B, 0, A,    0,        0,         0, 0, false},  // Recalibrate Pixel Black, PBR
    {1116, 54, L, 0, U,    0,        0,         0, 1, true},   // LUT selector, LUN
    {1160, 55, S, 0, U,    0,        255,       0, 0, false},  // LUT Index, LUTI
    {1162, 56, S, 0, U,    0,        4095,      0, 0, false},  // LUT Data, LUTD
    {1117, 57, S, 0, U,    0,        8,         8, 1, true},   // Gamma Selector, GMA
    {1194, 59, L, 0, U,    0,        0,         0, 1, true},   // Temperature sensor, TMPS0
    {1101, 60, L, 0, U,    0,        0,         0, 1, true},   // Line Source Line1, LS0
    {1195, 61, L, 0, U,    0,        0,         0, 1, true},   // Sensor Select, SS
    {1227, 62, L, 0, U,    0,        0,         0, 1, true},   // Median Filter, MF
    {1126, 66, B, 0, A,    0,        0,         0, 0, false},  // Save Settings into Factory Area, SA00
    {1199, 71, S, 0, F,    50,       200,      50, 1, true},   // Factory Gain 4K-A, GA4A00
    {1201, 72, S, 0, F,    50,       200,      50, 1, true},   // Factory Gain 4K-B, GA4B00
    {1203, 73, S, 0, F,    50,       200,      50, 1, true},   // Factory Gain 8K, GA8K00
    {1205, 74, S, 0, F,    0,        255,       0, 1, true},   // Factory Black 4K-A, BL4A00
    {1207, 75, S, 0, F,    0,        255,       0, 1, true},   // Factory Black 4K-B, BL4B00
    {1209, 76, S, 0, F,    0,        255,       0, 1, true},   // Factory Black 8K, BL8K00
    {1128, 77, L, 0, F,    0,        0,         0, 0, true},   // Boot Area Set, BAS00
    {1127, 78, B, 0, A,    0,        0,         0, 0, false},  // Recalibrate Shading (factory), SDR00
    {1197, 80, B, 0, A,    0,        0,         0, 0, false},  // Recalibrate Pixel Gain (factory), PGR00
    {1198, 82, B, 0, A,    0,        0,         0, 0, false},  // Recalibrate Pixel Black (factory), PBR00
    {1177, 84, L, 0, F,    0,        0,         0, 1, true},   // IP Bypass, BYP0
    {1211, 87, S, 0, F,    50,       200,      50, 1, true},   // Factory in Gain, GA00
    {1213, 88, L, 0, F,    0,        0,         0, 1, true},   // Pixel Gain Correction (factory), PGC00
    {1214, 89, L, 0, F,    0,        0,         0, 1, true},   // Pixel Black Correction (factory), PBC00
};
// clang-format on

}  // namespace ControlDefinitions
