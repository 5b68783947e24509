#pragma once

#include "core/OperatorDialogs.h"

// rvtool's modal dialogs for the flows: each made for one use, run and destroyed.
class WidgetOperatorDialogs : public OperatorDialogs {
public:
    explicit WidgetOperatorDialogs(ProcessContext& context) : context_(context) {}

    std::optional<std::string> Choose(const ChoiceRequest& request) override;
    void ShowAbout() override;
    void EditCameraId() override;
    void EditUserId() override;
    bool ReviewComparison(const ComparisonRequest& request) override;

private:
    ProcessContext& context_;
};
