#include "app/PageLayout.h"

#include <initializer_list>

#include "controls/ControlIds.h"

namespace {

using namespace ControlIds;

PageCell Cell(CellKind kind, int32_t id) {
    PageCell cell;
    cell.kind = kind;
    cell.id = id;
    return cell;
}

PageCell List(int32_t id, std::initializer_list<const char*> texts) {
    PageCell cell = Cell(CellKind::List, id);
    for (const char* text : texts) {
        cell.items.push_back({text, 0});
    }
    return cell;
}

// A list whose items stand for values other than their positions.
PageCell ValueList(int32_t id, std::initializer_list<ListItem> items) {
    PageCell cell = Cell(CellKind::List, id);
    cell.items = items;
    return cell;
}

PageCell Spin(int32_t editId, int32_t spinId) {
    PageCell cell = Cell(CellKind::SpinEdit, editId);
    cell.spinId = spinId;
    return cell;
}

PageCell Digit(int32_t id, const char* name) {
    PageCell cell = Cell(CellKind::Edit, id);
    cell.maxLength = 1;
    cell.name = name;
    return cell;
}

PageCell ReadOnly(int32_t id) {
    return Cell(CellKind::ReadOnlyEdit, id);
}

PageCell Button(int32_t id, const char* text) {
    PageCell cell = Cell(CellKind::Button, id);
    cell.text = text;
    return cell;
}

PageCell Text(int32_t id, const char* text) {
    PageCell cell = Cell(CellKind::Text, id);
    cell.text = text;
    return cell;
}

PageCell ReadOnlyText(int32_t id, const char* text) {
    PageCell cell = Cell(CellKind::ReadOnlyText, id);
    cell.text = text;
    return cell;
}

PageCell Caption(const char* text) {
    return Text(0, text);
}

PageRow Row(const char* label, int32_t labelId, std::initializer_list<PageCell> cells) {
    PageRow row;
    row.label = label;
    row.labelId = labelId;
    row.cells = cells;
    return row;
}

PageRow Row(const char* label, std::initializer_list<PageCell> cells) {
    return Row(label, 0, cells);
}

PageRow Hidden(PageRow row) {
    row.hidden = true;
    return row;
}

PageLayout UserA() {
    return {
        111,
        "User A",
        false,
        {
            {"Trigger",
             0,
             {
                 Row("Trigger Origin", {List(kTriggerOrigin, {"Internal", "External"})}),
                 Row("Trigger Input",
                     {ValueList(kTriggerInput, {{"Camera-Link", 0}, {"12pin", 1}})}),
                 Row("Trigger Activation", {List(kTriggerActivation, {"RisingEdge", "FallingEdge",
                                                                      "LevelHigh", "LevelLow"})}),
                 Row("Auto Reset Mode", {List(kAutoResetMode, {"Off", "On"})}),
             }},
            {"Exposure",
             0,
             {
                 Row("Exposure Mode", {List(kExposureMode, {"OFF", "Timed", "TriggerWidth"})}),
                 Row("Exposure Time Raw", {Spin(kExposureTime, kExposureTimeSpin)}),
                 Row("Exposure max limit",
                     {ReadOnlyText(kExposureMaxText, "-"),
                      Button(kExposureLimitsRead, "Read").Named("Read Exposure limits")}),
                 Row("Exposure min limit", {ReadOnlyText(kExposureMinText, "-")}),
                 Hidden(Row("Exposure Auto", {List(kExposureAuto, {"Off", "Once", "Continuous"})})),
                 Hidden(Row("Exposure Auto Max", {Spin(kExposureAutoMax, kExposureAutoMaxSpin)})),
                 Hidden(Row("Exposure Auto Min", {Spin(kExposureAutoMin, kExposureAutoMinSpin)})),
             }},
            {"Line Rate",
             0,
             {
                 Row("Line Rate", {Spin(kLineRate, kLineRateSpin)}),
                 Row(nullptr,
                     {Text(kLinePeriodText, "XXX.XXms"), Text(kLineFrequencyText, "XXX.XXHz")}),
                 Row("Line Rate min limit",
                     {ReadOnlyText(kLineRateMinText, "-"),
                      Button(kLineRateMinRead, "Read").Named("Read Line Rate min limit")}),
                 Row("Auto Line Rate", {Button(kOnePush, "One-push")}),
                 Row("Auto Line rate ref", {Spin(kAutoLineRateRef, kAutoLineRateRefSpin)}),
             }},
            {"Image format",
             1,
             {
                 Row("Binning V", kBinningVLabel, {List(kBinningV, {"Binning Off", "Binning On"})}),
                 Row("Binning H", kBinningHLabel,
                     {ValueList(kBinningH, {{"Binning Off", 1}, {"Binning On", 2}})}),
                 Row("Binning Horizontal Mode", kBinningModeLabel,
                     {List(kBinningMode, {"Average", "Sum"})}),
                 Row("Bit Allocation", {List(kBitAllocation, {"8bit", "10bit"})}),
                 Row("Device\nTap Geometry",
                     {List(kTapGeometry, {"Geometry_1X2", "Geometry_1X3", "Geometry_1X4",
                                          "Geometry_1X8", "Geometry_1X10"})
                          .Named("Device Tap Geometry")}),
                 Row("CL Clock", {List(kClClock, {"85MHz", "63.75MHz", "42.5MHz", "31.875MHz"})}),
                 Row("Test Pattern",
                     {List(kTestPattern, {"Off", "Monochrome", "Grey Pattern", "White"})}),
             }},
            {"Gain and signal settings",
             1,
             {
                 Row("Gain Level", {Spin(kGainLevel, kGainLevelSpin)}),
                 Hidden(Row("Gain Auto", kGainAutoLabel,
                            {List(kGainAuto, {"Off", "Once", "Continuous"})})),
                 Hidden(Row("Gain Auto Max", {Spin(kGainAutoMax, kGainAutoMaxSpin)})),
                 Hidden(Row("Gain Auto Min", {Spin(kGainAutoMin, kGainAutoMinSpin)})),
                 Hidden(Row("Alc Reference", {Spin(kAlcReference, kAlcReferenceSpin)})),
                 Hidden(Row("Alc Speed", {Spin(kAlcSpeed, kAlcSpeedSpin)})),
                 Row("Analog Base Gain All",
                     {List(kAnalogBaseGain, {"0dB", "6dB", "9.54dB", "12dB"})}),
                 Row("Black Level", {Spin(kBlackLevel, kBlackLevelSpin)}),
             }},
        }};
}

PageLayout UserB() {
    return {112,
            "User B",
            false,
            {
                {"Shading Correction",
                 0,
                 {
                     Row("Correction Mode", kShadingModeLabel,
                         {List(kShadingMode, {"Off", "Factory Area", "User Area"})
                              .Named("Shading Correction Mode")}),
                     Row(nullptr, {Button(kRecalibrateShading, "Recalibrate Shading")}),
                 }},
                {"Pixel Gain Correction",
                 0,
                 {
                     Row("Correction Mode",
                         {ValueList(kPixelGainMode, {{"Factory Area", 1}, {"User Area", 2}})
                              .Named("Pixel Gain Correction Mode")}),
                     Row(nullptr, {Button(kRecalibratePixelGain, "Recalibrate Pixel Gain")}),
                 }},
                {"Pixel Black Correction",
                 0,
                 {
                     Row("Correction Mode",
                         {ValueList(kPixelBlackMode, {{"Factory Area", 1}, {"User Area", 2}})
                              .Named("Pixel Black Correction Mode")}),
                     Row(nullptr, {Button(kRecalibratePixelBlack, "Recalibrate Pixel Black")}),
                 }},
                {"LUT",
                 1,
                 {
                     Row("LUT selector", {List(kLutSelector, {"Off", "LUT", "Gamma"})}),
                     Row(nullptr, {Button(kOpenLutTable, "Open LUT Table")}),
                     Row("Gamma Selector", kGammaLabel, {Spin(kGammaSelector, kGammaSelectorSpin)}),
                     Row("Index", {Spin(kLutIndex, kLutIndexSpin), Caption("G")}),
                     Row("Data", {Spin(kLutData, kLutDataSpin)}),
                     Row(nullptr, {Button(kLutRead, "Read").Named("Read LUT entry"),
                                   Button(kLutWrite, "Write").Named("Write LUT entry")}),
                 }},
                {"Temperature",
                 1,
                 {
                     Row(nullptr, {List(kTemperatureSensor, {"Sensor", "Sensor Board Bottom",
                                                             "Interface Board Bottom", "FPGA"})
                                       .Named("Temperature sensor")}),
                     Row(nullptr, {Button(kTemperatureGet, "Get").Named("Get Temperature"),
                                   ReadOnly(kTemperatureText), Caption("C")}),
                 }},
                {"Line Source ",
                 2,
                 {
                     Row("Line1", {ValueList(kLineSource, {{"Low", 0},
                                                           {"High", 1},
                                                           {"Exposure Active (XEEN)", 4},
                                                           {"Lval", 5},
                                                           {"TTL_In", 6},
                                                           {"CL_CC1_In", 7}})}),
                 }},
                {"Sensor Select",
                 2,
                 {
                     Row(nullptr, {List(kSensorSelect, {"4K-A type", "4k-B type"})}),
                 }},
                {"Baud Rate",
                 2,
                 {
                     Row(nullptr, {ValueList(kCameraBaudRate, {{"9600bps", 1},
                                                               {"19200bps", 2},
                                                               {"38400bps", 4},
                                                               {"57600bps", 8},
                                                               {"115200bps", 16}})}),
                 }},
                {"",
                 2,
                 {
                     Row("Median Filter", {List(kMedianFilter, {"Off", "On"})}),
                 }},
            }};
}

PageLayout FactoryA() {
    return {
        117,
        "Factory A",
        true,
        {
            {"Shading Correction",
             0,
             {
                 Row(nullptr, {Button(kFactoryRecalibrateShading, "Recalibrate Shading")}),
             }},
            {"Pixel Gain Correction",
             0,
             {
                 Row("Correction Mode", {List(kFactoryPixelGainMode, {"Disable", "Enable"})
                                             .Named("Factory Pixel Gain Correction Mode")}),
                 Row(nullptr, {Button(kFactoryRecalibratePixelGain, "Recalibrate Pixel Gain")}),
             }},
            {"Pixel Black Correction",
             0,
             {
                 Row("Correction Mode", {List(kFactoryPixelBlackMode, {"Disable", "Enable"})
                                             .Named("Factory Pixel Black Correction Mode")}),
                 Row(nullptr, {Button(kFactoryRecalibratePixelBlack, "Recalibrate Pixel Black")}),
             }},
            {"Factory in Gain",
             0,
             {
                 Row(nullptr, {Spin(kFactoryInGain, kFactoryInGainSpin)}),
             }},
            {"IP Bypass",
             0,
             {
                 Row(nullptr, {List(kIpBypass, {"Normal", "Bypass"})}),
             }},
            {"Factory Gain Level",
             1,
             {
                 Row("4K-A type", {Spin(kFactoryGain4KA, kFactoryGain4KASpin)
                                       .Named("Factory Gain Level 4K-A type")}),
                 Row("4K-B type", {Spin(kFactoryGain4KB, kFactoryGain4KBSpin)
                                       .Named("Factory Gain Level 4K-B type")}),
                 Row("8K type", {Spin(kFactoryGain8K, kFactoryGain8KSpin)
                                     .Named("Factory Gain Level 8K type")}),
             }},
            {"Factory Black Level",
             1,
             {
                 Row("4K-A type", {Spin(kFactoryBlack4KA, kFactoryBlack4KASpin)
                                       .Named("Factory Black Level 4K-A type")}),
                 Row("4K-B type", {Spin(kFactoryBlack4KB, kFactoryBlack4KBSpin)
                                       .Named("Factory Black Level 4K-B type")}),
                 Row("8K type", {Spin(kFactoryBlack8K, kFactoryBlack8KSpin)
                                     .Named("Factory Black Level 8K type")}),
             }},
            {"XML Version",
             1,
             {
                 Row(nullptr, {Digit(kXmlVersionMajor, "XML Version digit 1"), Caption("."),
                               Digit(kXmlVersionMinor, "XML Version digit 2"), Caption("."),
                               Digit(kXmlVersionPatch, "XML Version digit 3")}),
                 Row(nullptr, {Button(kXmlVersionWrite, "Wirte").Named("Write XML Version"),
                               Button(kXmlVersionRead, "Read").Named("Read XML Version")}),
             }},
            {nullptr,
             2,
             {
                 Row("Boot Area Set", {List(kBootAreaSet, {"Default Area", "Update Area"})}),
             }},
            {"Camera Model",
             2,
             {
                 Row(nullptr, {List(kCameraModelList, {"RV-2410M-TCL", "RV-4820M-TCL",
                                                       "RV-2410M-PTCL", "RV-4820M-PTCL"}),
                               Button(kCameraModelSet, "Set").Named("Set Camera Model")}),
             }},
            {nullptr,
             2,
             {
                 Row(nullptr, {Button(kCameraReset, "Camera Reset")}),
                 Row(nullptr, {Button(kTerminal, "Terminal")}),
                 Row(nullptr, {Button(kStoreAll, "Store All")}),
                 Hidden(
                     Row(nullptr, {Button(kSaveFactoryArea, "Save Settings into Factory Area")})),
             }},
        }};
}

}  // namespace

const std::vector<PageLayout>& PageLayouts() {
    static const std::vector<PageLayout> layouts = {UserA(), UserB(), FactoryA()};
    return layouts;
}
