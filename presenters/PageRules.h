#pragma once

class MainView;
class ProcessContext;

// How the page controls depend on each other and on the camera model. The rules read the
// lists' selected positions, not their values, and hold no state: they are applied again after
// every full read, every file load and every change of the list that drives them.
namespace PageRules {

// "Auto Reset Mode" only for an external trigger; the automatic line rate only for an internal
// trigger without exposure control.
void ApplyTriggerRule(MainView& view);
// "Exposure Time Raw" can be typed and stepped only for timed exposure.
void ApplyExposureRule(MainView& view);
// The LUT editor button for "LUT", the gamma selector for "Gamma".
void ApplyLutRule(MainView& view);
// Each "Recalibrate" button only while its mode list selects the user area.
void ApplyCorrectionRule(MainView& view);

void ApplyEnableRules(MainView& view);
// The model list shows the connected model; the binning controls are there for every model.
void ApplyModelRules(ProcessContext& context, MainView& view);
// The line period and frequency that the line rate value stands for.
void ShowLineRateTexts(ProcessContext& context, MainView& view);

}  // namespace PageRules
