#pragma once

#include "core/MainView.h"

// The main window of a program without windows: it has no controls, so the flows that show
// values or apply page rules run and show nothing.
class HeadlessMainView : public MainView {
public:
    WidgetClass ClassifyControl(int32_t) override { return WidgetClass::None; }
    std::string ControlText(int32_t) override { return std::string(); }
    void SetControlText(int32_t, const std::string&) override {}
    int32_t SelectedIndex(int32_t) override { return -1; }
    void SelectIndex(int32_t, int32_t) override {}
    int32_t ItemCount(int32_t) override { return 0; }
    int32_t ItemData(int32_t, int32_t) override { return 0; }
    int32_t SpinPosition(int32_t) override { return -1; }
    void SetSpinPosition(int32_t, int32_t) override {}
    bool GetSpinRange(int32_t, int32_t&, int32_t&) override { return false; }
    void SetSpinRange(int32_t, int32_t, int32_t) override {}
    int32_t SpinOf(int32_t) override { return 0; }
    int32_t BuddyOf(int32_t) override { return 0; }
    void EnableControl(int32_t, bool) override {}
    void ShowControl(int32_t, bool) override {}
    void PumpMessages() override {}
    void Activate() override {}
    void RebuildTabs() override {}
    void EnableUtilityMenu(bool) override {}
    void ApplyControlMode() override {}
    void EndProgram() override {}
    void ShowLutEditor(bool) override {}
    void ShowBaudIndex(int32_t) override {}
    void ShowTerminal() override {}
    void ShowCommunicationDialog() override {}
};
