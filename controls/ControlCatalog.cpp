#include "controls/ControlCatalog.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>

#include "controls/CameraModel.h"
#include "controls/ControlDefinition.h"
#include "controls/ControlIds.h"
#include "protocol/CommandTable.h"

namespace {

using namespace ControlIds;
using ControlCatalog::kFactoryPage;
using ControlCatalog::kUserPageA;
using ControlCatalog::kUserPageB;

CatalogEntry Value(int32_t id, const char* name, const char* page) {
    return {id, name, page, false, {}};
}

// A list whose items the page sends by position.
CatalogEntry List(int32_t id, const char* name, const char* page,
                  std::initializer_list<const char*> texts) {
    CatalogEntry entry = Value(id, name, page);
    int32_t position = 0;
    for (const char* text : texts) {
        entry.items.push_back({text, position++});
    }
    return entry;
}

// A list whose items the page sends as values of their own.
CatalogEntry ValueList(int32_t id, const char* name, const char* page,
                       std::initializer_list<CatalogItem> items) {
    CatalogEntry entry = Value(id, name, page);
    entry.explicitValues = true;
    entry.items = items;
    return entry;
}

// In control-table order.
std::vector<CatalogEntry> BuildEntries() {
    return {
        ValueList(
            kCameraBaudRate, "Baud Rate", kUserPageB,
            {{"9600bps", 1}, {"19200bps", 2}, {"38400bps", 4}, {"57600bps", 8}, {"115200bps", 16}}),
        List(kTriggerOrigin, "Trigger Origin", kUserPageA, {"Internal", "External"}),
        ValueList(kTriggerInput, "Trigger Input", kUserPageA, {{"Camera-Link", 0}, {"12pin", 1}}),
        List(kTriggerActivation, "Trigger Activation", kUserPageA,
             {"RisingEdge", "FallingEdge", "LevelHigh", "LevelLow"}),
        List(kAutoResetMode, "Auto Reset Mode", kUserPageA, {"Off", "On"}),
        List(kExposureMode, "Exposure Mode", kUserPageA, {"OFF", "Timed", "TriggerWidth"}),
        Value(kExposureTime, "Exposure Time Raw", kUserPageA),
        List(kExposureAuto, "Exposure Auto", kUserPageA, {"Off", "Once", "Continuous"}),
        Value(kExposureAutoMax, "Exposure Auto Max", kUserPageA),
        Value(kExposureAutoMin, "Exposure Auto Min", kUserPageA),
        Value(kLineRate, "Line Rate", kUserPageA),
        Value(kOnePush, "One-push", kUserPageA),
        Value(kAutoLineRateRef, "Auto Line rate ref", kUserPageA),
        List(kBinningV, "Binning V", kUserPageA, {"Binning Off", "Binning On"}),
        ValueList(kBinningH, "Binning H", kUserPageA, {{"Binning Off", 1}, {"Binning On", 2}}),
        List(kBinningMode, "Binning Horizontal Mode", kUserPageA, {"Average", "Sum"}),
        List(kBitAllocation, "Bit Allocation", kUserPageA, {"8bit", "10bit"}),
        List(kTapGeometry, "Device Tap Geometry", kUserPageA,
             {"Geometry_1X2", "Geometry_1X3", "Geometry_1X4", "Geometry_1X8", "Geometry_1X10"}),
        List(kClClock, "CL Clock", kUserPageA, {"85MHz", "63.75MHz", "42.5MHz", "31.875MHz"}),
        List(kTestPattern, "Test Pattern", kUserPageA,
             {"Off", "Monochrome", "Grey Pattern", "White"}),
        Value(kGainLevel, "Gain Level", kUserPageA),
        List(kGainAuto, "Gain Auto", kUserPageA, {"Off", "Once", "Continuous"}),
        Value(kAlcSpeed, "Alc Speed", kUserPageA),
        Value(kAlcReference, "Alc Reference", kUserPageA),
        Value(kGainAutoMax, "Gain Auto Max", kUserPageA),
        Value(kGainAutoMin, "Gain Auto Min", kUserPageA),
        List(kAnalogBaseGain, "Analog Base Gain All", kUserPageA, {"0dB", "6dB", "9.54dB", "12dB"}),
        Value(kBlackLevel, "Black Level", kUserPageA),
        List(kShadingMode, "Shading Correction Mode", kUserPageB,
             {"Off", "Factory Area", "User Area"}),
        Value(kRecalibrateShading, "Recalibrate Shading", kUserPageB),
        ValueList(kPixelGainMode, "Pixel Gain Correction Mode", kUserPageB,
                  {{"Factory Area", 1}, {"User Area", 2}}),
        Value(kRecalibratePixelGain, "Recalibrate Pixel Gain", kUserPageB),
        ValueList(kPixelBlackMode, "Pixel Black Correction Mode", kUserPageB,
                  {{"Factory Area", 1}, {"User Area", 2}}),
        Value(kRecalibratePixelBlack, "Recalibrate Pixel Black", kUserPageB),
        List(kLutSelector, "LUT selector", kUserPageB, {"Off", "LUT", "Gamma"}),
        Value(kLutIndex, "Index", kUserPageB),
        Value(kLutData, "Data", kUserPageB),
        Value(kGammaSelector, "Gamma Selector", kUserPageB),
        List(kTemperatureSensor, "Temperature sensor", kUserPageB,
             {"Sensor", "Sensor Board Bottom", "Interface Board Bottom", "FPGA"}),
        ValueList(kLineSource, "Line1", kUserPageB,
                  {{"Low", 0},
                   {"High", 1},
                   {"Exposure Active (XEEN)", 4},
                   {"Lval", 5},
                   {"TTL_In", 6},
                   {"CL_CC1_In", 7}}),
        List(kSensorSelect, "Sensor Select", kUserPageB, {"4K-A type", "4k-B type"}),
        List(kMedianFilter, "Median Filter", kUserPageB, {"Off", "On"}),
        Value(kSaveFactoryArea, "Save Settings into Factory Area", kFactoryPage),
        Value(kFactoryGain4KA, "Factory Gain Level 4K-A type", kFactoryPage),
        Value(kFactoryGain4KB, "Factory Gain Level 4K-B type", kFactoryPage),
        Value(kFactoryGain8K, "Factory Gain Level 8K type", kFactoryPage),
        Value(kFactoryBlack4KA, "Factory Black Level 4K-A type", kFactoryPage),
        Value(kFactoryBlack4KB, "Factory Black Level 4K-B type", kFactoryPage),
        Value(kFactoryBlack8K, "Factory Black Level 8K type", kFactoryPage),
        List(kBootAreaSet, "Boot Area Set", kFactoryPage, {"Default Area", "Update Area"}),
        Value(kFactoryRecalibrateShading, "Recalibrate Shading", kFactoryPage),
        Value(kFactoryRecalibratePixelGain, "Recalibrate Pixel Gain", kFactoryPage),
        Value(kFactoryRecalibratePixelBlack, "Recalibrate Pixel Black", kFactoryPage),
        List(kIpBypass, "IP Bypass", kFactoryPage, {"Normal", "Bypass"}),
        Value(kFactoryInGain, "Factory in Gain", kFactoryPage),
        List(kFactoryPixelGainMode, "Factory Pixel Gain Correction Mode", kFactoryPage,
             {"Disable", "Enable"}),
        List(kFactoryPixelBlackMode, "Factory Pixel Black Correction Mode", kFactoryPage,
             {"Disable", "Enable"}),
    };
}

// The unit of a row's value, where the camera gives one.
const char* UnitOf(int32_t ctrlId) {
    return ctrlId == kLineRate ? "in units of 10 ns" : nullptr;
}

// The page's controls outside the control table that show or send a command of their own.
struct PageCommand {
    int32_t ctrlId;
    const char* mnemonic;
    const char* detail;  // nullptr: the camera models, the items of the model list
};

constexpr PageCommand kPageCommands[] = {
    {kCameraModelList, "MD00", nullptr},
    {kXmlVersionMajor, "XMLVR", "hundreds digit, 0 to 9"},
    {kXmlVersionMinor, "XMLVR", "tens digit, 0 to 9"},
    {kXmlVersionPatch, "XMLVR", "units digit, 0 to 9"},
    {kTemperatureGet, "TMP0", "temperature in C"},
    {kTemperatureText, "TMP0", "temperature in C"},
};

std::string PageCommandTip(const PageCommand& command) {
    std::string tip = std::string(command.mnemonic) + ": ";
    if (command.detail != nullptr) {
        return tip + command.detail;
    }
    for (int32_t index = 0; index < CameraModel::kUnsupported; ++index) {
        tip += std::string(index > 0 ? ", " : "") + CameraModel::ModelName(index);
    }
    return tip;
}

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

}  // namespace

namespace ControlCatalog {

const std::vector<CatalogEntry>& Entries() {
    static const std::vector<CatalogEntry> entries = BuildEntries();
    return entries;
}

const CatalogEntry* Find(int32_t ctrlId) {
    for (const CatalogEntry& entry : Entries()) {
        if (entry.ctrlId == ctrlId) {
            return &entry;
        }
    }
    return nullptr;
}

const CatalogEntry* FindByMnemonic(std::string_view mnemonic) {
    for (const CommandEntry& command : CommandTable::kCommands) {
        if (!SameLetters(mnemonic, command.mnemonic)) {
            continue;
        }
        // The control that shows the command: the first row with its id, as the table scans.
        for (const ControlDefinition& row : ControlDefinitions::kRows) {
            if (row.cmdId == command.id) {
                return Find(row.ctrlId);
            }
        }
        return nullptr;
    }
    return nullptr;
}

const CatalogItem* FindItem(const CatalogEntry& entry, std::string_view text) {
    for (const CatalogItem& item : entry.items) {
        if (SameLetters(text, item.text)) {
            return &item;
        }
    }
    return nullptr;
}

const CatalogItem* FindItem(const CatalogEntry& entry, int32_t value) {
    for (const CatalogItem& item : entry.items) {
        if (item.value == value) {
            return &item;
        }
    }
    return nullptr;
}

const ControlDefinition& Definition(const CatalogEntry& entry) {
    const std::size_t row = static_cast<std::size_t>(&entry - Entries().data());
    return ControlDefinitions::kRows[row];
}

std::string Mnemonic(const CatalogEntry& entry) {
    return CommandTable::Find(Definition(entry).cmdId)->mnemonic;
}

std::string ValueText(const CatalogEntry& entry, int32_t value) {
    const CatalogItem* item = FindItem(entry, value);
    return item != nullptr ? item->text : std::to_string(value);
}

std::string Choices(const CatalogEntry& entry) {
    const ControlDefinition& row = Definition(entry);
    if (row.kind == kButtonControl) {
        return std::string();
    }
    if (entry.items.empty()) {
        return std::to_string(row.minValue) + " to " + std::to_string(row.maxValue);
    }
    std::string items;
    for (const CatalogItem& item : entry.items) {
        items += (items.empty() ? "" : ", ") + std::to_string(item.value) + " " + item.text;
    }
    return items;
}

std::string ToolTip(int32_t ctrlId) {
    if (const CatalogEntry* entry = Find(ctrlId)) {
        std::string tip = Mnemonic(*entry);
        const std::string choices = Choices(*entry);
        if (!choices.empty()) {
            tip += ": " + choices;
        }
        if (const char* unit = UnitOf(ctrlId)) {
            tip += std::string(", ") + unit;
        }
        return tip;
    }
    for (const PageCommand& command : kPageCommands) {
        if (command.ctrlId == ctrlId) {
            return PageCommandTip(command);
        }
    }
    return std::string();
}

}  // namespace ControlCatalog
