#include "operations/CameraFile.h"

#include <filesystem>
#include <optional>
#include <vector>

#include "controls/CameraModel.h"
#include "controls/ControlTable.h"
#include "core/ControlMode.h"
#include "core/FileChooser.h"
#include "core/FileReplacement.h"
#include "core/MainView.h"
#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "core/ProgressSink.h"
#include "core/SettingsStore.h"
#include "files/CameraSettingsFile.h"
#include "operations/ControlBinding.h"
#include "operations/PageRules.h"
#include "protocol/CommandEngine.h"
#include "protocol/CommandIds.h"
#include "protocol/ReplyParser.h"

namespace CameraFile {

namespace {

constexpr int kModelTimeoutMs = 1000;
constexpr int kValueTimeoutMs = 5000;

void ReportUnopened(ProcessContext& context, const std::string& path) {
    context.Get<Notifier>().Show({path + "\nCouldn't open this file", "File Open Error",
                                  MessageIcon::Warning, MessageButtons::Ok});
}

bool Write(ProcessContext& context, const std::string& path, const std::string& text) {
    if (!ReplaceFileContents(path, text)) {
        ReportUnopened(context, path);
        return false;
    }
    return true;
}

// Sends one line of a settings file, if it is one the camera takes in this mode.
void SendLine(ProcessContext& context, const std::string& line) {
    const ParsedReply parsed = ParseReply(line);
    if (parsed.error != 0) {
        return;  // blank lines and unknown mnemonics are not the camera's business
    }
    CommandEngine& engine = context.Get<CommandEngine>();
    if (parsed.commandId == CommandIds::kMD00) {
        engine.SetString(CommandIds::kMD00, parsed.value.text, kModelTimeoutMs);
        context.Get<CameraModel>().CheckModel();
        return;
    }
    if (parsed.commandId == CommandIds::kDV) {
        // The device version only reports the camera's own identity; a set would be refused.
        return;
    }
    ControlTable& table = context.Get<ControlTable>();
    const int32_t control = table.ToCtrlId(parsed.commandId);
    if (control < 0 || (table.IsFactoryParam(control) && !context.Get<ControlMode>().IsFactory()) ||
        table.IsInFile(control) == 0) {
        return;
    }
    engine.SetValue(parsed.commandId, parsed.value.integer, kValueTimeoutMs);
    table.SetDataValue(control, parsed.value.integer);
}

// Asks for the file in the folder used last; the folder of the choice is kept, whatever comes
// of the file itself.
template <class Use>
void WithChosenFile(ProcessContext& context, MainView& view, bool save, Use use) {
    SettingsStore& settings = context.Get<SettingsStore>();
    FileDialogRequest request;
    request.owner = &view;
    settings.ReadPath(kCameraFilePath, request.folder);
    request.fileName = "*.cam";
    request.defaultExtension = "cam";
    request.filterName = "Camera setting data (*.cam)";
    request.filterPattern = "*.cam";
    FileChooser& chooser = context.Get<FileChooser>();
    const std::optional<std::string> path =
        save ? chooser.ChooseFileToSave(request) : chooser.ChooseFileToOpen(request);
    if (!path) {
        return;
    }
    std::error_code error;
    if (save && std::filesystem::exists(std::filesystem::u8path(*path), error) &&
        !context.Get<Notifier>().AskYesNo(
            *path + "\nThis file already exists." + "\nReplace existing file?",
            kApplicationCaption)) {
        return;
    }
    use(*path);
    settings.WritePath(kCameraFilePath, FolderOfPath(*path));
}

}  // namespace

bool WriteAllData(ProcessContext& context, const std::string& path) {
    return Write(context, path, CameraSettingsFile::AllDataText(context));
}

bool WriteShippingData(ProcessContext& context, const std::string& path) {
    return Write(context, path, CameraSettingsFile::ShippingDataText(context));
}

bool ReadCameraFile(ProcessContext& context, MainView& view, const std::string& path) {
    const std::optional<std::vector<std::string>> lines = CameraSettingsFile::ReadLines(path);
    if (!lines) {
        ReportUnopened(context, path);
        return false;
    }
    ProgressSink& progress = context.Get<ProgressSink>();
    progress.ShowProgress(&view, "Now, reading camera setting file.");
    const std::size_t count = lines->size();
    for (std::size_t i = 0; i < count; ++i) {
        progress.SetProgress(static_cast<int>(i * 100 / count));
        view.PumpMessages();
        SendLine(context, (*lines)[i]);
    }
    ControlBinding(context, view).ShowAllValues();
    context.Get<ControlTable>().UpdatePrevDataValues();
    progress.EndProgress();
    PageRules::ApplyModelRules(context, view);
    PageRules::ApplyEnableRules(view);
    PageRules::ShowLineRateTexts(context, view);
    return true;
}

void OpenCameraFile(ProcessContext& context, MainView& view) {
    WithChosenFile(context, view, false,
                   [&](const std::string& path) { ReadCameraFile(context, view, path); });
}

void SaveAllDataAs(ProcessContext& context, MainView& view) {
    WithChosenFile(context, view, true,
                   [&](const std::string& path) { WriteAllData(context, path); });
}

void SaveShippingDataAs(ProcessContext& context, MainView& view) {
    WithChosenFile(context, view, true,
                   [&](const std::string& path) { WriteShippingData(context, path); });
}

}  // namespace CameraFile
