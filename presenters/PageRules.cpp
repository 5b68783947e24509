#include "presenters/PageRules.h"

#include <cstdio>

#include "controls/CameraModel.h"
#include "controls/ControlIds.h"
#include "controls/ControlTable.h"
#include "core/ProcessContext.h"
#include "presenters/MainView.h"

namespace PageRules {

namespace {

using namespace ControlIds;

// Positions of the list items the rules look at.
constexpr int32_t kInternalTrigger = 0;
constexpr int32_t kExposureOff = 0;
constexpr int32_t kExposureTimed = 1;
constexpr int32_t kLutOn = 1;
constexpr int32_t kGammaOn = 2;
constexpr int32_t kShadingUserArea = 2;
constexpr int32_t kPixelCorrectionUserArea = 1;

void EnableAutoLineRate(MainView& view) {
    const bool enable = view.SelectedIndex(kTriggerOrigin) == kInternalTrigger &&
                        view.SelectedIndex(kExposureMode) == kExposureOff;
    for (int32_t id : {kOnePush, kAutoLineRateRef, kAutoLineRateRefSpin}) {
        view.EnableControl(id, enable);
    }
}

void ShowGammaSelector(MainView& view, bool visible) {
    for (int32_t id : {kGammaSelector, kGammaSelectorSpin, kGammaLabel}) {
        view.ShowControl(id, visible);
    }
}

}  // namespace

void ApplyTriggerRule(MainView& view) {
    view.EnableControl(kAutoResetMode, view.SelectedIndex(kTriggerOrigin) != kInternalTrigger);
    EnableAutoLineRate(view);
}

void ApplyExposureRule(MainView& view) {
    // A field the operator cannot type into is not stepped either: its spin would send a value
    // the exposure mode does not use.
    const bool timed = view.SelectedIndex(kExposureMode) == kExposureTimed;
    view.EnableControl(kExposureTime, timed);
    view.EnableControl(kExposureTimeSpin, timed);
    EnableAutoLineRate(view);
}

void ApplyLutRule(MainView& view) {
    const int32_t selected = view.SelectedIndex(kLutSelector);
    if (selected == kLutOn) {
        view.EnableControl(kOpenLutTable, true);
        ShowGammaSelector(view, false);
        return;
    }
    view.ShowLutEditor(false);
    view.EnableControl(kOpenLutTable, false);
    ShowGammaSelector(view, selected == kGammaOn);
}

void ApplyCorrectionRule(MainView& view) {
    view.EnableControl(kRecalibrateShading, view.SelectedIndex(kShadingMode) == kShadingUserArea);
    view.EnableControl(kRecalibratePixelGain,
                       view.SelectedIndex(kPixelGainMode) == kPixelCorrectionUserArea);
    view.EnableControl(kRecalibratePixelBlack,
                       view.SelectedIndex(kPixelBlackMode) == kPixelCorrectionUserArea);
}

void ApplyEnableRules(MainView& view) {
    ApplyLutRule(view);
    ApplyCorrectionRule(view);
    for (int32_t id :
         {kExposureMode, kExposureTime, kExposureTimeSpin, kGainLevel, kGainLevelSpin}) {
        view.EnableControl(id, true);
    }
    ApplyTriggerRule(view);
    ApplyExposureRule(view);
}

void ApplyModelRules(ProcessContext& context, MainView& view) {
    // An unsupported model (index 4) selects no item.
    view.SelectIndex(kCameraModelList, context.Get<CameraModel>().Index());
    for (int32_t id :
         {kBinningVLabel, kBinningV, kBinningHLabel, kBinningH, kBinningModeLabel, kBinningMode}) {
        view.ShowControl(id, true);
    }
}

void ShowLineRateTexts(ProcessContext& context, MainView& view) {
    // The line rate is the line period in units of 10 ns.
    const double period = context.Get<ControlTable>().GetDataValue(kLineRate);
    char text[64];
    std::snprintf(text, sizeof text, "%.2fus", period / 100);
    view.SetControlText(kLinePeriodText, text);
    if (period == 0) {
        // No period, no frequency: a dash rather than an infinite number.
        view.SetControlText(kLineFrequencyText, "-");
    } else {
        std::snprintf(text, sizeof text, "%.4fhz", 1 / (period / 100000000));
        view.SetControlText(kLineFrequencyText, text);
    }
}

}  // namespace PageRules
