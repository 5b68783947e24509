#pragma once

#include <map>
#include <string>

#include "presenters/MainView.h"

// A main window for flows under test: its controls hold the texts and list positions the flows
// and the test put there, and nothing else; window actions are counted where a test looks.
class FakeMainView : public MainView {
public:
    WidgetClass ClassifyControl(int32_t) override { return WidgetClass::None; }
    std::string ControlText(int32_t id) override { return texts[id]; }
    void SetControlText(int32_t id, const std::string& text) override { texts[id] = text; }
    int32_t SelectedIndex(int32_t id) override {
        const auto found = selected.find(id);
        return found == selected.end() ? -1 : found->second;
    }
    void SelectIndex(int32_t id, int32_t index) override { selected[id] = index; }
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
    void Activate() override {}
    void RebuildTabs() override {}
    void EnableUtilityMenu(bool) override {}
    void ApplyControlMode() override {}
    void EndProgram() override { ++endProgramCalls; }
    void ShowLutEditor(bool) override {}
    void ShowBaudIndex(int32_t) override {}
    void ShowTerminal() override {}
    void ShowCommunicationDialog() override {}

    std::map<int32_t, std::string> texts;
    std::map<int32_t, int32_t> selected;
    int endProgramCalls = 0;
};
