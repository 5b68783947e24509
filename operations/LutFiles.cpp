#include "operations/LutFiles.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "controls/CameraModel.h"
#include "core/FileChooser.h"
#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "files/GammaFile.h"
#include "files/LutChannel.h"
#include "operations/LutTransfer.h"
#include "platform/FileReplacement.h"

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

}  // namespace

std::vector<int> CameraChannels(ProcessContext& context) {
    if (Monochrome(context)) {
        return {LutTables::kMonochrome};
    }
    return {0, 1, 2};
}

bool ReadCameraTables(ProcessContext& context) {
    for (int channel : CameraChannels(context)) {
        if (!LutTransfer::ReadTable(context, channel)) {
            return false;
        }
    }
    return true;
}

bool WriteCameraTables(ProcessContext& context) {
    bool confirmed = true;
    for (int channel : CameraChannels(context)) {
        confirmed = LutTransfer::WriteTable(context, channel) && confirmed;
    }
    return confirmed;
}

std::string GammaFileText(ProcessContext& context) {
    return GammaFile::FormatGammaFile(context.Get<LutTables>(), Monochrome(context));
}

bool SaveTablesToFile(ProcessContext& context, const std::string& path) {
    return GammaFile::WriteGammaFile(path, context.Get<LutTables>(), Monochrome(context),
                                     context.Get<Notifier>());
}

bool LoadTablesFromFile(ProcessContext& context, const std::string& path) {
    return GammaFile::ReadGammaFile(path, context.Get<LutTables>(), context.Get<Notifier>());
}

bool LoadTables(ProcessContext& context, const GammaFile::Levels& levels) {
    return GammaFile::TellAndApply(levels, context.Get<LutTables>(), context.Get<Notifier>());
}

void OpenLutFile(ProcessContext& context) {
    const std::optional<std::string> path =
        context.Get<FileChooser>().ChooseFileToOpen(GammaFileRequest("Camera gamma data (*.csv)"));
    if (!path) {
        return;
    }
    LoadTablesFromFile(context, *path);
}

void SaveLutFile(ProcessContext& context) {
    // A failed read was reported by the engine already.
    if (!ReadCameraTables(context)) {
        return;
    }
    const std::optional<std::string> path =
        context.Get<FileChooser>().ChooseFileToSave(GammaFileRequest("Camera gamm data (*.csv)"));
    if (!path) {
        return;
    }
    if (MayReplaceFile(context.Get<Notifier>(), *path)) {
        SaveTablesToFile(context, *path);
    }
}

bool LoadAllLutTables(ProcessContext& context) {
    const bool loaded = ReadCameraTables(context);
    std::this_thread::sleep_for(kPauseAfterLoad);
    return loaded;
}

}  // namespace LutFiles
