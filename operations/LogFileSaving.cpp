#include "operations/LogFileSaving.h"

#include <filesystem>
#include <functional>
#include <system_error>

#include "core/FileChooser.h"
#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "core/SettingsStore.h"
#include "operations/LineLog.h"
#include "operations/MessageLog.h"
#include "operations/TerminalLog.h"
#include "platform/FileReplacement.h"

namespace LogFileSaving {

namespace {

// The common steps of both saves; announce runs once the file is written.
void SaveLog(ProcessContext& context, OperatorWindow* owner, const LineLog& lines,
             const TextFileKind& kind, bool newestFirst, const std::function<void()>& announce) {
    if (SaveTextFile(
            context, owner, kind, [&] { return LogText(lines, newestFirst); }, true)) {
        announce();
    }
}

}  // namespace

void SaveMessageLog(ProcessContext& context, OperatorWindow* owner) {
    MessageLog& log = context.Get<MessageLog>();
    SaveLog(context, owner, log.Lines(), kTextFile, false,
            [&log] { log.Add("Writing file has been done!"); });
}

void SaveTerminalLog(ProcessContext& context, OperatorWindow* owner) {
    TerminalLog& log = context.Get<TerminalLog>();
    SaveLog(context, owner, log.Lines(), kCsvFile, true,
            [&log] { log.AddFormatted("Writing file has been done !"); });
}

bool SaveTextFile(ProcessContext& context, OperatorWindow* owner, const TextFileKind& kind,
                  const std::function<std::string()>& text, bool keepFolder) {
    SettingsStore& settings = context.Get<SettingsStore>();
    std::string folder;
    settings.ReadPath(kCommandLogFilePath, folder);

    FileDialogRequest request;
    request.owner = owner;
    request.folder = folder;
    request.fileName = kind.pattern;
    request.defaultExtension = kind.extension;
    request.filterName = kind.filterName;
    request.filterPattern = kind.pattern;
    const std::optional<std::string> chosen = context.Get<FileChooser>().ChooseFileToSave(request);
    if (!chosen) {
        return false;
    }
    const std::string& path = *chosen;
    Notifier& notifier = context.Get<Notifier>();
    if (!MayReplaceFile(notifier, path)) {
        return false;
    }
    const bool written = ReplaceFileContents(path, text());
    if (!written) {
        notifier.Tell("File open error !", MessageIcon::Error);
    }
    const std::string chosenFolder = FolderOfPath(path);
    if (keepFolder && !chosenFolder.empty()) {
        settings.WritePath(kCommandLogFilePath, chosenFolder);
    }
    return written;
}

std::string LogText(const LineLog& lines, bool newestFirst) {
    const std::size_t count = lines.Size();
    std::size_t length = 0;
    for (std::size_t i = 0; i < count; ++i) {
        length += lines.Line(i).size() + 1;
    }
    std::string text;
    text.reserve(length);
    for (std::size_t i = 0; i < count; ++i) {
        text += lines.Line(newestFirst ? i : count - 1 - i);
        text += '\n';
    }
    return text;
}

}  // namespace LogFileSaving
