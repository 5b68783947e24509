#include "operations/LutFiles.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <thread>

#include "controls/CameraModel.h"
#include "core/FileChooser.h"
#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "files/GammaFile.h"
#include "files/LutChannel.h"
#include "operations/LutTransfer.h"

namespace LutFiles {

namespace {

constexpr std::chrono::milliseconds kPauseAfterLoad(20);

bool Monochrome(ProcessContext& context) {
    return context.Get<CameraModel>().IsSupported();
}

// No folder is kept for these files: the dialog starts in the working directory.
FileDialogRequest GammaFileRequest(const char* filterName) {
    FileDialogRequest request;
    std::error_code error;
    request.folder = std::filesystem::current_path(error).u8string();
    request.fileName = "*.csv";
    request.defaultExtension = "csv";
    request.filterName = filterName;
    request.filterPattern = "*.csv";
    return request;
}

bool ReadTables(ProcessContext& context, MainView& view) {
    if (Monochrome(context)) {
        return LutTransfer::ReadTable(context, view, LutTables::kMonochrome);
    }
    for (int c = 0; c < 3; ++c) {
        if (!LutTransfer::ReadTable(context, view, c)) {
            return false;
        }
    }
    return true;
}

}  // namespace

void OpenLutFile(ProcessContext& context, MainView&) {
    const std::optional<std::string> path =
        context.Get<FileChooser>().ChooseFileToOpen(GammaFileRequest("Camera gamma data (*.csv)"));
    if (!path) {
        return;
    }
    GammaFile::ReadGammaFile(*path, context.Get<LutTables>(), context.Get<Notifier>());
}

void SaveLutFile(ProcessContext& context, MainView& view) {
    // A failed read was reported by the engine already.
    if (!ReadTables(context, view)) {
        return;
    }
    const std::optional<std::string> path =
        context.Get<FileChooser>().ChooseFileToSave(GammaFileRequest("Camera gamm data (*.csv)"));
    if (!path) {
        return;
    }
    Notifier& notifier = context.Get<Notifier>();
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::u8path(*path), error) &&
        !notifier.AskYesNo(*path + "\nThis file already exists." + "\nReplace existing file?",
                           kApplicationCaption)) {
        return;
    }
    GammaFile::WriteGammaFile(*path, context.Get<LutTables>(), Monochrome(context), notifier);
}

bool LoadAllLutTables(ProcessContext& context, MainView& view) {
    const bool loaded = ReadTables(context, view);
    std::this_thread::sleep_for(kPauseAfterLoad);
    return loaded;
}

}  // namespace LutFiles
