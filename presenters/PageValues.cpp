#include "presenters/PageValues.h"

#include <cstdio>
#include <optional>

#include "core/LogSinks.h"
#include "core/ProcessContext.h"
#include "core/StatusLine.h"
#include "operations/CameraRefresh.h"
#include "operations/ChangeHistory.h"
#include "operations/FlashAreas.h"
#include "operations/OutcomeText.h"
#include "presenters/ControlBinding.h"
#include "presenters/MainView.h"
#include "presenters/PageRules.h"
#include "presenters/RecentFiles.h"

namespace PageValues {

namespace {

void ShowPages(ProcessContext& context, MainView& view) {
    PageRules::ApplyModelRules(context, view);
    ControlBinding(context, view).ShowAllValues();
    PageRules::ApplyEnableRules(view);
    PageRules::ShowLineRateTexts(context, view);
}

}  // namespace

void ShowCameraValues(ProcessContext& context, MainView& view) {
    view.Activate();
    ShowPages(context, view);
    context.Get<StatusLine>().ShowLink(OutcomeText::ForLink(context));
}

void RefreshFromCamera(ProcessContext& context, MainView& view) {
    // Not the words of what came before (the start-up's "Looking for the camera") while the
    // settings are read.
    StatusLine& status = context.Get<StatusLine>();
    status.ShowOutcome(OutcomeText::kReadingSettings);
    const CameraReading reading = ReadCamera(context, &view);
    ShowCameraValues(context, view);
    status.ShowOutcome(OutcomeText::ForReading(reading.supported, reading.unanswered));
}

void Reload(ProcessContext& context, MainView& view, int32_t& currentArea) {
    context.Get<ChangeHistory>().Clear();
    if (const std::optional<int32_t> area = FlashAreas::ReadCurrentArea(context)) {
        currentArea = *area;
    }
    RefreshFromCamera(context, view);
}

void ShowLoad(ProcessContext& context, MainView& view, const std::string& path,
              const CameraFile::LoadSummary& summary) {
    const std::string outcome = OutcomeText::ForLoad(summary);
    context.Get<MessageLogSink>().Add(outcome);
    context.Get<StatusLine>().ShowOutcome(outcome);
    std::fprintf(stderr, "%s: %s\n", path.c_str(), outcome.c_str());
    ShowPages(context, view);
}

bool ReadCameraFile(ProcessContext& context, MainView& view, const std::string& path) {
    const CameraFile::LoadSummary summary = CameraFile::LoadSettingsFile(context, path, &view);
    if (!summary.opened) {
        return false;
    }
    RecentFiles::Add(context, path);
    ShowLoad(context, view, path, summary);
    return true;
}

void OpenCameraFile(ProcessContext& context, MainView& view) {
    CameraFile::WithFileToOpen(
        context, &view, [&](const std::string& path) { ReadCameraFile(context, view, path); });
}

}  // namespace PageValues
