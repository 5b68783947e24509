#pragma once

#include <cstdint>
#include <string>

// Ids of the main window's page controls and menu items. The pages are built with them and the
// flows name controls by them; a value-bearing control has the same id in the control table.
// Every page control's name and id: the constants in ControlIds (kGainLevel = 1041, ...) and
// the object names of the widgets ("gainLevel") are made from this one list.
#define RV_CONTROL_IDS(X)                                                                         \
    /* "User A": trigger, exposure, line rate, image format, gain. */                             \
    X(TriggerOrigin, 1096)                                                                        \
    X(TriggerInput, 1098)                                                                         \
    X(TriggerActivation, 1099)                                                                    \
    X(AutoResetMode, 1186)                                                                        \
    X(ExposureMode, 1092)                                                                         \
    X(ExposureTime, 1093)                                                                         \
    X(ExposureTimeSpin, 1094)                                                                     \
    X(ExposureMaxText, 1220)                                                                      \
    X(ExposureMinText, 1221)                                                                      \
    X(ExposureLimitsRead, 1222)                                                                   \
    X(ExposureAuto, 1172)                                                                         \
    X(ExposureAutoMax, 1111)                                                                      \
    X(ExposureAutoMaxSpin, 1114)                                                                  \
    X(ExposureAutoMin, 1112)                                                                      \
    X(ExposureAutoMinSpin, 1115)                                                                  \
    X(LineRate, 1187)                                                                             \
    X(LineRateSpin, 1188)                                                                         \
    X(LinePeriodText, 1215)                                                                       \
    X(LineFrequencyText, 1216)                                                                    \
    X(LineRateMinText, 1218)                                                                      \
    X(LineRateMinRead, 1219)                                                                      \
    X(OnePush, 1191)                                                                              \
    X(AutoLineRateRef, 1189)                                                                      \
    X(AutoLineRateRefSpin, 1190)                                                                  \
    X(BinningVLabel, 1130)                                                                        \
    X(BinningV, 1122)                                                                             \
    X(BinningHLabel, 1224)                                                                        \
    X(BinningH, 1223)                                                                             \
    X(BinningModeLabel, 1226)                                                                     \
    X(BinningMode, 1225)                                                                          \
    X(BitAllocation, 1100)                                                                        \
    X(TapGeometry, 1123)                                                                          \
    X(ClClock, 1174)                                                                              \
    X(TestPattern, 1119)                                                                          \
    X(GainLevel, 1041)                                                                            \
    X(GainLevelSpin, 1045)                                                                        \
    X(GainAutoLabel, 1018)                                                                        \
    X(GainAuto, 1173)                                                                             \
    X(GainAutoMax, 1104)                                                                          \
    X(GainAutoMaxSpin, 1108)                                                                      \
    X(GainAutoMin, 1105)                                                                          \
    X(GainAutoMinSpin, 1109)                                                                      \
    X(AlcReference, 1102)                                                                         \
    X(AlcReferenceSpin, 1106)                                                                     \
    X(AlcSpeed, 1147)                                                                             \
    X(AlcSpeedSpin, 1107)                                                                         \
    X(AnalogBaseGain, 1217)                                                                       \
    X(BlackLevel, 1139)                                                                           \
    X(BlackLevelSpin, 1140)                                                                       \
    /* "User B": corrections, LUT, temperature, line source, sensor, baud rate, median filter. */ \
    X(ShadingModeLabel, 1138)                                                                     \
    X(ShadingMode, 1120)                                                                          \
    X(RecalibrateShading, 1121)                                                                   \
    X(PixelGainMode, 1192)                                                                        \
    X(RecalibratePixelGain, 1193)                                                                 \
    X(PixelBlackMode, 1184)                                                                       \
    X(RecalibratePixelBlack, 1183)                                                                \
    X(LutSelector, 1116)                                                                          \
    X(OpenLutTable, 1132)                                                                         \
    X(GammaLabel, 1141)                                                                           \
    X(GammaSelector, 1117)                                                                        \
    X(GammaSelectorSpin, 1118)                                                                    \
    X(LutIndex, 1160)                                                                             \
    X(LutIndexSpin, 1161)                                                                         \
    X(LutData, 1162)                                                                              \
    X(LutDataSpin, 1163)                                                                          \
    X(LutRead, 1164)                                                                              \
    X(LutWrite, 1165)                                                                             \
    X(TemperatureSensor, 1194)                                                                    \
    X(TemperatureGet, 1125)                                                                       \
    X(TemperatureText, 1049)                                                                      \
    X(LineSource, 1101)                                                                           \
    X(SensorSelect, 1195)                                                                         \
    X(CameraBaudRate, 1124)                                                                       \
    X(MedianFilter, 1227)                                                                         \
    /* "Factory A". */                                                                            \
    X(FactoryRecalibrateShading, 1127)                                                            \
    X(FactoryPixelGainMode, 1213)                                                                 \
    X(FactoryRecalibratePixelGain, 1197)                                                          \
    X(FactoryPixelBlackMode, 1214)                                                                \
    X(FactoryRecalibratePixelBlack, 1198)                                                         \
    X(FactoryInGain, 1211)                                                                        \
    X(FactoryInGainSpin, 1212)                                                                    \
    X(IpBypass, 1177)                                                                             \
    X(FactoryGain4KA, 1199)                                                                       \
    X(FactoryGain4KASpin, 1200)                                                                   \
    X(FactoryGain4KB, 1201)                                                                       \
    X(FactoryGain4KBSpin, 1202)                                                                   \
    X(FactoryGain8K, 1203)                                                                        \
    X(FactoryGain8KSpin, 1204)                                                                    \
    X(FactoryBlack4KA, 1205)                                                                      \
    X(FactoryBlack4KASpin, 1206)                                                                  \
    X(FactoryBlack4KB, 1207)                                                                      \
    X(FactoryBlack4KBSpin, 1208)                                                                  \
    X(FactoryBlack8K, 1209)                                                                       \
    X(FactoryBlack8KSpin, 1210)                                                                   \
    X(XmlVersionMajor, 1178)                                                                      \
    X(XmlVersionMinor, 1179)                                                                      \
    X(XmlVersionPatch, 1180)                                                                      \
    X(XmlVersionWrite, 1181)                                                                      \
    X(XmlVersionRead, 1182)                                                                       \
    X(BootAreaSet, 1128)                                                                          \
    X(CameraModelList, 1142)                                                                      \
    X(CameraModelSet, 1014)                                                                       \
    X(CameraReset, 1012)                                                                          \
    X(Terminal, 1010)                                                                             \
    X(StoreAll, 1021)                                                                             \
    X(SaveFactoryArea, 1126)                                                                      \
    /* The main window itself. */                                                                 \
    X(TabControl, 1089)                                                                           \
    X(StatusPicture, 1069)

namespace ControlIds {

#define RV_CONTROL_ID_CONSTANT(name, id) inline constexpr int32_t k##name = id;
RV_CONTROL_IDS(RV_CONTROL_ID_CONSTANT)
#undef RV_CONTROL_ID_CONSTANT

// The object name of the control's widget: "gainLevel" for kGainLevel; empty for an id that is
// no page control.
std::string ObjectName(int32_t id);

}  // namespace ControlIds

// Ids of the main window's menu items.
namespace MenuIds {

inline constexpr int32_t kExit = 2;  // the window's cancel
inline constexpr int32_t kEditUserId = 30000;
inline constexpr int32_t kAbout = 30001;
inline constexpr int32_t kReload = 30002;
inline constexpr int32_t kStoreSettings = 30003;
inline constexpr int32_t kLoadSettings = 30004;
inline constexpr int32_t kEditCameraId = 30005;
inline constexpr int32_t kOpenLutFile = 30006;
inline constexpr int32_t kSaveLutFile = 30007;
inline constexpr int32_t kOpenSettingsFile = 30008;
inline constexpr int32_t kLoadAllLutTables = 30009;
inline constexpr int32_t kOpenCommunicationDialog = 30010;
inline constexpr int32_t kSaveAllData = 30011;
inline constexpr int32_t kSaveShippingData = 30012;
// Beyond the menu's original items.
inline constexpr int32_t kCompareWithFile = 30013;
inline constexpr int32_t kUndoChange = 30014;
inline constexpr int32_t kRedoChange = 30015;
inline constexpr int32_t kUserGuide = 30016;

}  // namespace MenuIds
