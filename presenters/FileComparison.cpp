#include "presenters/FileComparison.h"

#include <algorithm>
#include <optional>

#include "controls/ControlCatalog.h"
#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "core/StatusLine.h"
#include "operations/CameraFile.h"
#include "operations/CameraRefresh.h"
#include "platform/FileAccess.h"
#include "presenters/MainView.h"
#include "presenters/PageValues.h"
#include "presenters/RecentFiles.h"

namespace FileComparison {

namespace {

std::string FileName(const std::string& path) {
    const std::size_t separator = FileAccess::LastSeparator(path);
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string ValueText(const CatalogEntry* entry, int32_t value) {
    return entry != nullptr ? ControlCatalog::ValueText(*entry, value) : std::to_string(value);
}

ComparisonRow RowOf(const SettingsComparison::ComparedLine& line) {
    const CatalogEntry* entry = ControlCatalog::Find(line.ctrlId);
    ComparisonRow row;
    row.page = entry != nullptr ? entry->page : "";
    row.name = entry != nullptr ? entry->name : "";
    row.mnemonic = line.mnemonic;
    row.cameraValue = line.cameraKnown ? ValueText(entry, line.cameraValue) : "-";
    row.fileValue = ValueText(entry, line.fileValue);
    row.differs = line.Differs();
    return row;
}

}  // namespace

ComparisonRequest RequestOf(const std::vector<SettingsComparison::ComparedLine>& compared,
                            const std::string& path) {
    ComparisonRequest request;
    for (const SettingsComparison::ComparedLine& line : compared) {
        request.rows.push_back(RowOf(line));
    }
    std::stable_partition(request.rows.begin(), request.rows.end(),
                          [](const ComparisonRow& row) { return row.differs; });
    const auto differing = std::count_if(request.rows.begin(), request.rows.end(),
                                         [](const ComparisonRow& row) { return row.differs; });
    request.summary = "The camera differs from " + FileName(path) + " in " +
                      std::to_string(differing) + " of " + std::to_string(request.rows.size()) +
                      (request.rows.size() == 1 ? " parameter." : " parameters.");
    return request;
}

void CompareWithFile(ProcessContext& context, MainView& view, const std::string& path) {
    const CameraReading reading = ReadCamera(context, &view);
    PageValues::ShowCameraValues(context, view);
    if (!reading.supported) {
        context.Get<Notifier>().Warn(
            "The camera's model is none of the four this tool knows: nothing was compared.");
        return;
    }
    const std::optional<std::vector<SettingsComparison::ComparedLine>> compared =
        SettingsComparison::CompareEveryLine(context, path);
    if (!compared) {
        return;
    }
    RecentFiles::Add(context, path);
    StatusLine& status = context.Get<StatusLine>();
    if (compared->empty()) {
        context.Get<Notifier>().Tell(
            FileName(path) + " holds no parameter that a load sends in this mode.",
            MessageIcon::Information);
        return;
    }
    if (std::none_of(compared->begin(), compared->end(),
                     [](const SettingsComparison::ComparedLine& line) { return line.Differs(); })) {
        const std::string same = "The camera holds every value of " + FileName(path) + ".";
        status.ShowOutcome(same);
        context.Get<Notifier>().Tell(same, MessageIcon::Information);
        return;
    }
    ComparisonRequest request = RequestOf(*compared, path);
    request.owner = &view;
    status.ShowOutcome(request.summary);
    if (!context.Get<OperatorDialogs>().ReviewComparison(request)) {
        return;
    }
    PageValues::ShowLoad(context, view, path,
                         SettingsComparison::LoadDifferences(context, path, *compared, &view));
}

void CompareWithChosenFile(ProcessContext& context, MainView& view) {
    CameraFile::WithFileToOpen(context, &view, [&context, &view](const std::string& path) {
        CompareWithFile(context, view, path);
    });
}

}  // namespace FileComparison
