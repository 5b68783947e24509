#include "app/PageLayout.h"

#include <initializer_list>

#include "controls/CameraModel.h"
#include "controls/ControlCatalog.h"
#include "controls/ControlIds.h"

namespace {

using namespace ControlIds;

PageCell Cell(CellKind kind, int32_t id) {
    PageCell cell;
    cell.kind = kind;
    cell.id = id;
    return cell;
}

// A list with the items of its control-table row. Items carry their value as item data only
// where the page gives them values of their own; the others stand for their positions.
PageCell List(int32_t id) {
    PageCell cell = Cell(CellKind::List, id);
    const CatalogEntry* entry = ControlCatalog::Find(id);
    for (const CatalogItem& item : entry->items) {
        cell.items.push_back({item.text, entry->explicitValues ? item.value : 0});
    }
    return cell;
}

// The models the camera can be told it is, in the order of their model index.
PageCell ModelList(int32_t id) {
    PageCell cell = Cell(CellKind::List, id);
    for (int32_t index = 0; index < CameraModel::kUnsupported; ++index) {
        cell.items.push_back({CameraModel::ModelName(index), 0});
    }
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
                 Row("Trigger Origin", {List(kTriggerOrigin)}),
                 Row("Trigger Input", {List(kTriggerInput)}),
                 Row("Trigger Activation", {List(kTriggerActivation)}),
                 Row("Auto Reset Mode", {List(kAutoResetMode)}),
             }},
            {"Exposure",
             0,
             {
                 Row("Exposure Mode", {List(kExposureMode)}),
                 Row("Exposure Time Raw", {Spin(kExposureTime, kExposureTimeSpin)}),
                 Row("Exposure max limit",
                     {ReadOnlyText(kExposureMaxText, "-"),
                      Button(kExposureLimitsRead, "Read").Named("Read Exposure limits")}),
                 Row("Exposure min limit", {ReadOnlyText(kExposureMinText, "-")}),
                 Hidden(Row("Exposure Auto", {List(kExposureAuto)})),
                 Hidden(Row("Exposure Auto Max", {Spin(kExposureAutoMax, kExposureAutoMaxSpin)})),
                 Hidden(Row("Exposure Auto Min", {Spin(kExposureAutoMin, kExposureAutoMinSpin)})),
             }},
            {"Line Rate",
             0,
             {
                 Row("Line Rate", {Spin(kLineRate, kLineRateSpin)}),
                 Row(nullptr, {Text(kLinePeriodText, "XXX.XXms").Named("Line period"),
                               Text(kLineFrequencyText, "XXX.XXHz").Named("Line frequency")}),
                 Row("Line Rate min limit",
                     {ReadOnlyText(kLineRateMinText, "-"),
                      Button(kLineRateMinRead, "Read").Named("Read Line Rate min limit")}),
                 Row("Auto Line Rate", {Button(kOnePush, "One-push")}),
                 Row("Auto Line rate ref", {Spin(kAutoLineRateRef, kAutoLineRateRefSpin)}),
             }},
            {"Image format",
             1,
             {
                 Row("Binning V", kBinningVLabel, {List(kBinningV)}),
                 Row("Binning H", kBinningHLabel, {List(kBinningH)}),
                 Row("Binning Horizontal Mode", kBinningModeLabel, {List(kBinningMode)}),
                 Row("Bit Allocation", {List(kBitAllocation)}),
                 Row("Device\nTap Geometry", {List(kTapGeometry).Named("Device Tap Geometry")}),
                 Row("CL Clock", {List(kClClock)}),
                 Row("Test Pattern", {List(kTestPattern)}),
             }},
            {"Gain and signal settings",
             1,
             {
                 Row("Gain Level", {Spin(kGainLevel, kGainLevelSpin)}),
                 Hidden(Row("Gain Auto", kGainAutoLabel, {List(kGainAuto)})),
                 Hidden(Row("Gain Auto Max", {Spin(kGainAutoMax, kGainAutoMaxSpin)})),
                 Hidden(Row("Gain Auto Min", {Spin(kGainAutoMin, kGainAutoMinSpin)})),
                 Hidden(Row("Alc Reference", {Spin(kAlcReference, kAlcReferenceSpin)})),
                 Hidden(Row("Alc Speed", {Spin(kAlcSpeed, kAlcSpeedSpin)})),
                 Row("Analog Base Gain All", {List(kAnalogBaseGain)}),
                 Row("Black Level", {Spin(kBlackLevel, kBlackLevelSpin)}),
             }},
        }};
}

PageLayout UserB() {
    return {
        112,
        "User B",
        false,
        {
            {"Shading Correction",
             0,
             {
                 Row("Correction Mode", kShadingModeLabel,
                     {List(kShadingMode).Named("Shading Correction Mode")}),
                 Row(nullptr, {Button(kRecalibrateShading, "Recalibrate Shading")}),
             }},
            {"Pixel Gain Correction",
             0,
             {
                 Row("Correction Mode", {List(kPixelGainMode).Named("Pixel Gain Correction Mode")}),
                 Row(nullptr, {Button(kRecalibratePixelGain, "Recalibrate Pixel Gain")}),
             }},
            {"Pixel Black Correction",
             0,
             {
                 Row("Correction Mode",
                     {List(kPixelBlackMode).Named("Pixel Black Correction Mode")}),
                 Row(nullptr, {Button(kRecalibratePixelBlack, "Recalibrate Pixel Black")}),
             }},
            {"LUT",
             1,
             {
                 Row("LUT selector", {List(kLutSelector)}),
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
                 Row(nullptr, {List(kTemperatureSensor).Named("Temperature sensor")}),
                 Row(nullptr, {Button(kTemperatureGet, "Get").Named("Get Temperature"),
                               ReadOnly(kTemperatureText), Caption("C")}),
             }},
            {"Line Source ",
             2,
             {
                 Row("Line1", {List(kLineSource)}),
             }},
            {"Sensor Select",
             2,
             {
                 Row(nullptr, {List(kSensorSelect)}),
             }},
            {"Baud Rate",
             2,
             {
                 Row(nullptr, {List(kCameraBaudRate)}),
             }},
            {"",
             2,
             {
                 Row("Median Filter", {List(kMedianFilter)}),
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
                 Row("Correction Mode",
                     {List(kFactoryPixelGainMode).Named("Factory Pixel Gain Correction Mode")}),
                 Row(nullptr, {Button(kFactoryRecalibratePixelGain, "Recalibrate Pixel Gain")}),
             }},
            {"Pixel Black Correction",
             0,
             {
                 Row("Correction Mode",
                     {List(kFactoryPixelBlackMode).Named("Factory Pixel Black Correction Mode")}),
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
                 Row(nullptr, {List(kIpBypass)}),
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
                 Row("Boot Area Set", {List(kBootAreaSet)}),
             }},
            {"Camera Model",
             2,
             {
                 Row(nullptr, {ModelList(kCameraModelList),
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
