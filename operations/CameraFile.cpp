#include "operations/CameraFile.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <vector>

#include "controls/CameraModel.h"
#include "controls/ControlTable.h"
#include "core/ControlMode.h"
#include "core/FileChooser.h"
#include "core/LogSinks.h"
#include "core/Notifier.h"
#include "core/OperationScope.h"
#include "core/ProcessContext.h"
#include "core/ProgressSink.h"
#include "core/SettingsStore.h"
#include "core/StatusLine.h"
#include "core/WaitFeedback.h"
#include "core/WholeNumber.h"
#include "files/CameraSettingsFile.h"
#include "operations/ChangeHistory.h"
#include "operations/OutcomeText.h"
#include "operations/Parameters.h"
#include "operations/UnstoredChanges.h"
#include "platform/FileReplacement.h"
#include "protocol/Command.h"
#include "protocol/CommandEngine.h"
#include "protocol/CommandIds.h"
#include "protocol/ReplyParser.h"
#include "protocol/StepGuard.h"

namespace CameraFile {

namespace {

constexpr int kModelTimeoutMs = 1000;
constexpr int kDeviceVersionTimeoutMs = 5000;

// What the camera names of itself in an All Data file: the model only in factory mode, after
// asking again, and only a supported one.
CameraSettingsFile::Identity AskIdentity(ProcessContext& context) {
    CameraSettingsFile::Identity identity;
    if (context.Get<ControlMode>().IsFactory()) {
        CameraModel& model = context.Get<CameraModel>();
        model.CheckModel();
        if (model.IsSupported()) {
            identity.model = model.Text();
        }
    }
    int32_t deviceVersion = 0;
    if (context.Get<CommandEngine>().GetValue(CommandIds::kDV, deviceVersion,
                                              kDeviceVersionTimeoutMs)) {
        identity.deviceVersion = deviceVersion;
    }
    return identity;
}

enum class LineOutcome { Skipped, Confirmed, Refused, Unanswered };

// Whether a line of a settings file is one the camera takes in this mode: blank lines, unknown
// mnemonics, the device version (it only reports the camera's own identity; a set would be
// refused) and the rows of other pages or of the factory mode are not sent. tell: a command
// without a control is reported to the operator, as the send does once.
bool TakesLine(ProcessContext& context, const ParsedReply& parsed, bool tell) {
    if (parsed.error || parsed.commandId == CommandIds::kDV) {
        return false;
    }
    if (parsed.commandId == CommandIds::kMD00) {
        return true;
    }
    ControlTable& table = context.Get<ControlTable>();
    const int32_t control =
        tell ? table.ToCtrlId(parsed.commandId) : table.FindCtrlId(parsed.commandId).value_or(-1);
    return control >= 0 &&
           (!table.IsFactoryParam(control) || context.Get<ControlMode>().IsFactory()) &&
           table.IsInFile(control);
}

// The file's number as written: a value beyond the 32 bits a parameter holds is out of its
// range, not the largest value. Nothing for a line that sets no number ("BL?", "BL=", "BL=5x").
std::optional<int64_t> FileNumber(const ParsedReply& parsed) {
    if (parsed.separator != "=") {
        return std::nullopt;
    }
    return WholeNumber(parsed.firstValue);
}

// Sends one line of a settings file, if it is one the camera takes in this mode, the same way
// as an operator's change of the page.
LineOutcome SendLine(ProcessContext& context, const std::string& line) {
    const ParsedReply parsed = ParseReply(line);
    if (!TakesLine(context, parsed, true)) {
        return LineOutcome::Skipped;
    }
    CommandEngine& engine = context.Get<CommandEngine>();
    if (parsed.commandId == CommandIds::kMD00) {
        const bool confirmed =
            engine.SetString(CommandIds::kMD00, parsed.value.text, kModelTimeoutMs);
        context.Get<CameraModel>().CheckModel();
        if (confirmed) {
            return LineOutcome::Confirmed;
        }
        return engine.LastOutcome().kind == RequestOutcome::Kind::NoAnswer ? LineOutcome::Unanswered
                                                                           : LineOutcome::Refused;
    }
    const std::optional<int64_t> number = FileNumber(parsed);
    if (!number) {
        return LineOutcome::Refused;  // a line of the command that sets nothing: not sent
    }
    const int32_t control = context.Get<ControlTable>().ToCtrlId(parsed.commandId);
    const Parameters::Result result = Parameters::Set(context, control, *number);
    if (result.Taken()) {
        return LineOutcome::Confirmed;
    }
    return result.outcome.kind == RequestOutcome::Kind::NoAnswer ? LineOutcome::Unanswered
                                                                 : LineOutcome::Refused;
}

// Asks for the file in the folder used last; the folder of the choice is kept, whatever comes
// of the file itself.
template <class Use>
void WithChosenFile(ProcessContext& context, OperatorWindow* owner, bool save, Use use) {
    SettingsStore& settings = context.Get<SettingsStore>();
    FileDialogRequest request;
    request.owner = owner;
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
    if (save && !MayReplaceFile(context.Get<Notifier>(), *path)) {
        return;
    }
    use(*path);
    settings.WritePath(kCameraFilePath, FolderOfPath(*path));
}

// The parameters a file of the variant holds, and which of them the camera has told.
struct FileValues {
    int asked = 0;        // the parameters the file would hold
    int known = 0;        // of those, the ones the camera told
    std::string unknown;  // the others' mnemonics, in file order
};

FileValues ValuesOf(ProcessContext& context, Variant variant) {
    const bool withFactoryRows =
        variant == Variant::ShippingData || context.Get<ControlMode>().IsFactory();
    FileValues values;
    for (const ControlEntry& row : context.Get<ControlTable>().Entries()) {
        if (!CameraSettingsFile::HoldsRow(row, withFactoryRows)) {
            continue;
        }
        ++values.asked;
        if (row.state == ValueState::Told) {
            ++values.known;
        } else {
            values.unknown +=
                (values.unknown.empty() ? "" : ", ") + Command::GetMnemonic(row.cmdId);
        }
    }
    return values;
}

// A file without a single value of the camera's would only take the place of a good one.
bool AnyValueKnown(ProcessContext& context, Variant variant) {
    if (ValuesOf(context, variant).known > 0) {
        return true;
    }
    context.Get<Notifier>().Warn(
        "No parameter has been read from the camera, so the file would hold no value: nothing "
        "was written.");
    return false;
}

// Asks before a file leaves out what the camera has not told, saying how much; true to save it
// so. No is the answer Enter gives: a file with gaps may be about to replace a whole one.
bool MaySaveWithout(ProcessContext& context, const FileValues& values) {
    if (values.unknown.empty()) {
        return true;
    }
    const int missing = values.asked - values.known;
    return context.Get<Notifier>().AskYesNo(
        std::to_string(missing) + " of the " + std::to_string(values.asked) +
            (missing == 1 ? " parameters was" : " parameters were") +
            " not read from the camera and would be missing from the file:\n" + values.unknown +
            "\n\nSave the file without them?",
        kApplicationCaption, MessageAnswer::No);
}

}  // namespace

void ReportUnopened(ProcessContext& context, const std::string& path) {
    context.Get<Notifier>().Show({path + "\nCouldn't open this file", "File Open Error",
                                  MessageIcon::Warning, MessageButtons::Ok});
}

std::string SettingsFileText(ProcessContext& context, Variant variant) {
    const ControlTable::Rows& rows = context.Get<ControlTable>().Entries();
    if (variant == Variant::ShippingData) {
        return CameraSettingsFile::ShippingDataText(rows);
    }
    const CameraSettingsFile::Identity identity = AskIdentity(context);
    return CameraSettingsFile::AllDataText(rows, identity, context.Get<ControlMode>().IsFactory());
}

std::string UnknownParameters(ProcessContext& context, Variant variant) {
    return ValuesOf(context, variant).unknown;
}

bool SaveSettingsFile(ProcessContext& context, const std::string& path, Variant variant) {
    if (!AnyValueKnown(context, variant)) {
        return false;
    }
    if (!ReplaceFileContents(path, SettingsFileText(context, variant))) {
        ReportUnopened(context, path);
        return false;
    }
    return true;
}

std::optional<std::vector<CameraSettingsFile::Line>> ReadSettingsLines(ProcessContext& context,
                                                                       const std::string& path) {
    std::optional<std::vector<CameraSettingsFile::Line>> lines =
        CameraSettingsFile::ReadLines(path);
    if (!lines) {
        ReportUnopened(context, path);
        return std::nullopt;
    }
    if (!CameraSettingsFile::HasParameterLine(*lines, context.Get<ControlTable>().Entries())) {
        // Opened by mistake (a picture, an empty file, a folder): refused whole, not line by line.
        context.Get<Notifier>().Show(
            {path + "\nThis is not a camera settings file: no line of it sets a parameter (such "
                    "as \"GA=400\"). Nothing was sent.",
             "File Open Error", MessageIcon::Warning, MessageButtons::Ok});
        return std::nullopt;
    }
    return lines;
}

LoadSummary LoadSettingsFile(ProcessContext& context, const std::string& path,
                             OperatorWindow* owner) {
    const std::optional<std::vector<CameraSettingsFile::Line>> lines =
        ReadSettingsLines(context, path);
    if (!lines) {
        return LoadSummary();
    }
    return LoadLines(context, path, *lines, owner);
}

LoadSummary LoadLines(ProcessContext& context, const std::string& path,
                      const std::vector<CameraSettingsFile::Line>& lines, OperatorWindow* owner) {
    const OperationScope operation(context);
    context.Get<ChangeHistory>().Clear();
    LoadSummary summary;
    summary.opened = true;
    ProgressSink& progress = context.Get<ProgressSink>();
    progress.ShowProgress(owner, "Now, reading camera setting file.");
    const std::size_t count = lines.size();
    std::size_t toSend = 0;
    for (const CameraSettingsFile::Line& line : lines) {
        toSend += !line.overlong && TakesLine(context, ParseReply(line.text), false) ? 1 : 0;
    }
    StepGuard guard(context);
    std::size_t done = 0;  // lines handled, sent or not
    for (const CameraSettingsFile::Line& line : lines) {
        if (!guard.Continue()) {
            break;
        }
        progress.SetProgress(static_cast<int>(done * 100 / count));
        context.Get<WaitFeedback>().KeepAlive();
        ++done;
        if (line.overlong) {
            // One kind, so that a file of many such lines costs one box and a count.
            context.Get<Notifier>().Show(
                {path + "\nLine " + std::to_string(line.number) + " is longer than " +
                     std::to_string(CameraSettingsFile::kMaxLineLength) +
                     " characters and was not sent.",
                 kApplicationCaption, MessageIcon::Warning, MessageButtons::Ok},
                "overlong line");
            continue;
        }
        const LineOutcome outcome = SendLine(context, line.text);
        if (outcome == LineOutcome::Skipped) {
            // A misspelt name would otherwise vanish without a word.
            if (const std::optional<std::string> name = CameraSettingsFile::UnknownMnemonic(line)) {
                summary.unknown.push_back({line.number, *name});
            }
            continue;
        }
        ++summary.linesSent;
        if (outcome == LineOutcome::Refused) {
            summary.refused.push_back({line.number, ParseReply(line.text).mnemonic});
        } else if (outcome == LineOutcome::Unanswered) {
            summary.unanswered.push_back({line.number, ParseReply(line.text).mnemonic});
        }
        if (!guard.AfterRequest()) {
            break;
        }
    }
    progress.FinishProgress(!guard.Stopped());
    // Counted as the summary counts: the lines sent, of those the camera takes.
    summary.stopped = guard.TellHowFar("Loaded " + std::to_string(summary.linesSent) + " of " +
                                       std::to_string(toSend) + " lines");
    return summary;
}

void WithFileToOpen(ProcessContext& context, OperatorWindow* owner,
                    const std::function<void(const std::string&)>& use) {
    WithChosenFile(context, owner, false, use);
}

namespace {

void SaveAs(ProcessContext& context, OperatorWindow* owner, Variant variant) {
    if (!AnyValueKnown(context, variant)) {
        return;  // before the file is chosen: no file could come of it
    }
    WithChosenFile(context, owner, true, [&](const std::string& path) {
        if (MaySaveWithout(context, ValuesOf(context, variant))) {
            SaveSettingsFile(context, path, variant);
        }
    });
}

}  // namespace

void SaveAllDataAs(ProcessContext& context, OperatorWindow* owner) {
    SaveAs(context, owner, Variant::AllData);
}

void SaveShippingDataAs(ProcessContext& context, OperatorWindow* owner) {
    SaveAs(context, owner, Variant::ShippingData);
}

}  // namespace CameraFile
