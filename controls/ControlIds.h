#pragma once

#include <cstdint>

// Ids of the main window's page controls and menu items. The pages are built with them and the
// flows name controls by them; a value-bearing control has the same id in the control table.
namespace ControlIds {

// "User A": trigger, exposure, line rate, image format, gain.
inline constexpr int32_t kTriggerOrigin = 1096;
inline constexpr int32_t kTriggerInput = 1098;
inline constexpr int32_t kTriggerActivation = 1099;
inline constexpr int32_t kAutoResetMode = 1186;
inline constexpr int32_t kExposureMode = 1092;
inline constexpr int32_t kExposureTime = 1093;
inline constexpr int32_t kExposureTimeSpin = 1094;
inline constexpr int32_t kExposureMaxText = 1220;
inline constexpr int32_t kExposureMinText = 1221;
inline constexpr int32_t kExposureLimitsRead = 1222;
inline constexpr int32_t kExposureAuto = 1172;
inline constexpr int32_t kExposureAutoMax = 1111;
inline constexpr int32_t kExposureAutoMaxSpin = 1114;
inline constexpr int32_t kExposureAutoMin = 1112;
inline constexpr int32_t kExposureAutoMinSpin = 1115;
inline constexpr int32_t kLineRate = 1187;
inline constexpr int32_t kLineRateSpin = 1188;
inline constexpr int32_t kLinePeriodText = 1215;
inline constexpr int32_t kLineFrequencyText = 1216;
inline constexpr int32_t kLineRateMinText = 1218;
inline constexpr int32_t kLineRateMinRead = 1219;
inline constexpr int32_t kOnePush = 1191;
inline constexpr int32_t kAutoLineRateRef = 1189;
inline constexpr int32_t kAutoLineRateRefSpin = 1190;
inline constexpr int32_t kBinningVLabel = 1130;
inline constexpr int32_t kBinningV = 1122;
inline constexpr int32_t kBinningHLabel = 1224;
inline constexpr int32_t kBinningH = 1223;
inline constexpr int32_t kBinningModeLabel = 1226;
inline constexpr int32_t kBinningMode = 1225;
inline constexpr int32_t kBitAllocation = 1100;
inline constexpr int32_t kTapGeometry = 1123;
inline constexpr int32_t kClClock = 1174;
inline constexpr int32_t kTestPattern = 1119;
inline constexpr int32_t kGainLevel = 1041;
inline constexpr int32_t kGainLevelSpin = 1045;
inline constexpr int32_t kGainAutoLabel = 1018;
inline constexpr int32_t kGainAuto = 1173;
inline constexpr int32_t kGainAutoMax = 1104;
inline constexpr int32_t kGainAutoMaxSpin = 1108;
inline constexpr int32_t kGainAutoMin = 1105;
inline constexpr int32_t kGainAutoMinSpin = 1109;
inline constexpr int32_t kAlcReference = 1102;
inline constexpr int32_t kAlcReferenceSpin = 1106;
inline constexpr int32_t kAlcSpeed = 1147;
inline constexpr int32_t kAlcSpeedSpin = 1107;
inline constexpr int32_t kAnalogBaseGain = 1217;
inline constexpr int32_t kBlackLevel = 1139;
inline constexpr int32_t kBlackLevelSpin = 1140;

// "User B": corrections, LUT, temperature, line source, sensor, baud rate, median filter.
inline constexpr int32_t kShadingModeLabel = 1138;
inline constexpr int32_t kShadingMode = 1120;
inline constexpr int32_t kRecalibrateShading = 1121;
inline constexpr int32_t kPixelGainMode = 1192;
inline constexpr int32_t kRecalibratePixelGain = 1193;
inline constexpr int32_t kPixelBlackMode = 1184;
inline constexpr int32_t kRecalibratePixelBlack = 1183;
inline constexpr int32_t kLutSelector = 1116;
inline constexpr int32_t kOpenLutTable = 1132;
inline constexpr int32_t kGammaLabel = 1141;
inline constexpr int32_t kGammaSelector = 1117;
inline constexpr int32_t kGammaSelectorSpin = 1118;
inline constexpr int32_t kLutIndex = 1160;
inline constexpr int32_t kLutIndexSpin = 1161;
inline constexpr int32_t kLutData = 1162;
inline constexpr int32_t kLutDataSpin = 1163;
inline constexpr int32_t kLutRead = 1164;
inline constexpr int32_t kLutWrite = 1165;
inline constexpr int32_t kTemperatureSensor = 1194;
inline constexpr int32_t kTemperatureGet = 1125;
inline constexpr int32_t kTemperatureText = 1049;
inline constexpr int32_t kLineSource = 1101;
inline constexpr int32_t kSensorSelect = 1195;
inline constexpr int32_t kCameraBaudRate = 1124;
inline constexpr int32_t kMedianFilter = 1227;

// "Factory A".
inline constexpr int32_t kFactoryRecalibrateShading = 1127;
inline constexpr int32_t kFactoryPixelGainMode = 1213;
inline constexpr int32_t kFactoryRecalibratePixelGain = 1197;
inline constexpr int32_t kFactoryPixelBlackMode = 1214;
inline constexpr int32_t kFactoryRecalibratePixelBlack = 1198;
inline constexpr int32_t kFactoryInGain = 1211;
inline constexpr int32_t kFactoryInGainSpin = 1212;
inline constexpr int32_t kIpBypass = 1177;
inline constexpr int32_t kFactoryGain4KA = 1199;
inline constexpr int32_t kFactoryGain4KASpin = 1200;
inline constexpr int32_t kFactoryGain4KB = 1201;
inline constexpr int32_t kFactoryGain4KBSpin = 1202;
inline constexpr int32_t kFactoryGain8K = 1203;
inline constexpr int32_t kFactoryGain8KSpin = 1204;
inline constexpr int32_t kFactoryBlack4KA = 1205;
inline constexpr int32_t kFactoryBlack4KASpin = 1206;
inline constexpr int32_t kFactoryBlack4KB = 1207;
inline constexpr int32_t kFactoryBlack4KBSpin = 1208;
inline constexpr int32_t kFactoryBlack8K = 1209;
inline constexpr int32_t kFactoryBlack8KSpin = 1210;
inline constexpr int32_t kXmlVersionMajor = 1178;
inline constexpr int32_t kXmlVersionMinor = 1179;
inline constexpr int32_t kXmlVersionPatch = 1180;
inline constexpr int32_t kXmlVersionWrite = 1181;
inline constexpr int32_t kXmlVersionRead = 1182;
inline constexpr int32_t kBootAreaSet = 1128;
inline constexpr int32_t kCameraModelList = 1142;
inline constexpr int32_t kCameraModelSet = 1014;
inline constexpr int32_t kCameraReset = 1012;
inline constexpr int32_t kTerminal = 1010;
inline constexpr int32_t kStoreAll = 1021;
inline constexpr int32_t kSaveFactoryArea = 1126;

// The main window itself.
inline constexpr int32_t kTabControl = 1089;
inline constexpr int32_t kStatusPicture = 1069;

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

}  // namespace MenuIds
