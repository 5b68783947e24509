// dump, load and diff: the camera's parameters and settings files, as the window's File menu.
#include <optional>
#include <string>
#include <vector>

#include "core/CancelToken.h"
#include "core/ControlMode.h"
#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "operations/CameraFile.h"
#include "operations/CameraRefresh.h"
#include "operations/OutcomeText.h"
#include "operations/SettingsComparison.h"
#include "platform/FileReplacement.h"
#include "tools/rvctl/CameraOutput.h"
#include "tools/rvctl/OutputFile.h"
#include "tools/rvctl/SubcommandOperands.h"
#include "tools/rvctl/Subcommands.h"

namespace {

std::optional<SubcommandOperands> DumpOperands(const Options& options, std::string& error) {
    std::optional<SubcommandOperands> operands =
        SubcommandOperands::Parse("dump", options.operands, {"--shipping"}, {"-o"}, error);
    if (operands && !operands->words.empty()) {
        error = "dump takes no file operand: \"" + operands->words[0] + "\"; write -o FILE";
        return std::nullopt;
    }
    return operands;
}

std::string CheckDump(const Options& options, int32_t) {
    std::string error;
    const std::optional<SubcommandOperands> operands = DumpOperands(options, error);
    return operands ? OutputFile::CheckPattern(operands->Value("-o"), options) : error;
}

// The camera read as the window's refresh reads it; false, after saying why, when its model is
// none the tool knows, so that nothing was read.
bool ReadTheCamera(Camera& camera) {
    const CameraReading reading = ReadCamera(camera.context, nullptr);
    if (!reading.supported) {
        camera.output.Error("the camera's model is none of the four this tool knows: nothing read");
        return false;
    }
    return true;
}

// A file with parameters the camera did not tell would not be the camera's: the run names them
// and writes nothing.
bool AllKnown(Camera& camera, CameraFile::Variant variant) {
    const std::string unknown = CameraFile::UnknownParameters(camera.context, variant);
    if (unknown.empty()) {
        return true;
    }
    std::string error = "not read from the camera: " + unknown + "; nothing written";
    if (variant == CameraFile::Variant::ShippingData &&
        !camera.context.Get<ControlMode>().IsFactory()) {
        error += ": Shipping Data holds the factory parameters, which are read only with --factory";
    }
    camera.output.Error(error);
    return false;
}

ExitStatus RunDump(Camera& camera) {
    std::string error;
    const SubcommandOperands operands = *DumpOperands(camera.options, error);
    if (!ReadTheCamera(camera)) {
        return kFailed;
    }
    const CameraFile::Variant variant = operands.Has("--shipping")
                                            ? CameraFile::Variant::ShippingData
                                            : CameraFile::Variant::AllData;
    if (!AllKnown(camera, variant)) {
        return kFailed;
    }
    const std::string text = CameraFile::SettingsFileText(camera.context, variant);
    const std::optional<std::string> path = OutputFile::PathFor(camera, operands.Value("-o"));
    if (!path) {
        OutputFile::WriteToOutput(camera, text);
        return kSuccess;
    }
    if (!MayReplaceFile(camera.context.Get<Notifier>(), *path)) {
        return kUsage;
    }
    if (!ReplaceFileContents(*path, text)) {
        CameraFile::ReportUnopened(camera.context, *path);
        return kFailed;
    }
    camera.output.Add(Record("written " + *path).Text("file", *path));
    return kSuccess;
}

// The one operand of load and diff: a settings file that can be read.
std::string CheckSettingsFile(const char* subcommand, const Options& options) {
    std::string error;
    const std::optional<SubcommandOperands> operands =
        SubcommandOperands::Parse(subcommand, options.operands, {}, {}, error);
    if (!operands) {
        return error;
    }
    if (operands->words.size() != 1) {
        return std::string(subcommand) + " takes one settings file";
    }
    return CheckReadableFile(operands->words[0]);
}

std::string CheckLoad(const Options& options, int32_t) {
    return CheckSettingsFile("load", options);
}

std::string CheckDiff(const Options& options, int32_t) {
    return CheckSettingsFile("diff", options);
}

ExitStatus RunLoad(Camera& camera) {
    const std::string& path = camera.options.operands[0];
    const CameraFile::LoadSummary summary =
        CameraFile::LoadSettingsFile(camera.context, path, nullptr);
    if (!summary.opened) {
        return kFailed;
    }
    for (const bool answered : {true, false}) {
        for (const CameraFile::RefusedLine& line :
             answered ? summary.refused : summary.unanswered) {
            camera.output.Add(Record("line " + std::to_string(line.lineNumber) +
                                     (answered ? ": the camera refused " : ": no answer to ") +
                                     line.mnemonic)
                                  .Number("line", line.lineNumber)
                                  .Text("mnemonic", line.mnemonic)
                                  .Flag("accepted", false)
                                  .Flag("answered", answered));
        }
    }
    // A load that stopped early says so: the lines after those counted were not sent.
    const bool interrupted = summary.stopped && camera.context.Get<CancelToken>().Requested();
    std::string how;
    std::string rest;
    if (summary.stopped) {
        how = interrupted ? "interrupted: " : "the camera stopped answering: ";
        rest = "; the lines after were not sent";
    }
    camera.output.Add(Record(path + ": " + how + OutcomeText::ForLoad(summary) + rest)
                          .Text("file", path)
                          .Number("sent", summary.linesSent)
                          .Number("refused", static_cast<int64_t>(summary.refused.size()))
                          .Number("unanswered", static_cast<int64_t>(summary.unanswered.size()))
                          .Flag("complete", !summary.stopped));
    if (interrupted) {
        return kInterrupted;
    }
    return summary.refused.empty() && summary.unanswered.empty() ? kSuccess : kFailed;
}

ExitStatus RunDiff(Camera& camera) {
    const std::string& path = camera.options.operands[0];
    // A file that is none is refused before the camera is asked anything.
    if (!CameraFile::ReadSettingsLines(camera.context, path)) {
        return kFailed;
    }
    if (!ReadTheCamera(camera) || !AllKnown(camera, CameraFile::Variant::AllData)) {
        return kFailed;
    }
    const std::optional<std::vector<SettingsComparison::Difference>> differences =
        SettingsComparison::CompareWithFile(camera.context, path);
    if (!differences) {
        return kUsage;
    }
    for (const SettingsComparison::Difference& difference : *differences) {
        camera.output.Add(Record(difference.mnemonic +
                                 " camera=" + std::to_string(difference.cameraValue) +
                                 " file=" + std::to_string(difference.fileValue) + " (line " +
                                 std::to_string(difference.lineNumber) + ")")
                              .Text("mnemonic", difference.mnemonic)
                              .Number("camera", difference.cameraValue)
                              .Number("file", difference.fileValue)
                              .Number("line", difference.lineNumber));
    }
    return differences->empty() ? kSuccess : kFailed;
}

}  // namespace

std::vector<Subcommand> FileCommands() {
    return {
        {"dump", "[--shipping] [-o FILE]", "the camera's parameters as a settings file",
         "Reads the camera as the window's refresh does and writes an All Data settings file\n"
         "(--shipping: Shipping Data) exactly as the window's File > Save as writes it, to FILE\n"
         "or standard output. \"{port}\" in FILE stands for each camera's port\n"
         "(-o backup/{port}.cam). An existing FILE is replaced only with --yes, and only once\n"
         "the new one is complete. A camera that leaves a parameter unanswered writes nothing.\n",
         Reach::EachCamera, Link::Answered, false, CheckDump, RunDump},
        {"load", "FILE", "a settings file into the camera",
         "Sends every line of the settings file that the camera takes in this mode, in file\n"
         "order, as the window's File > Open does; prints each line the camera refused with its\n"
         "line number, and each line it did not answer, then a summary. Exit status 1 when any\n"
         "line was refused or unanswered, or when no line of the file sets a parameter (then\n"
         "nothing is sent).\n",
         Reach::EachCamera, Link::Answered, false, CheckLoad, RunLoad},
        {"diff", "FILE", "where the camera differs from a settings file",
         "Reads the camera as dump does and prints, for every parameter line of the file that\n"
         "the camera holds otherwise: the mnemonic, the camera's value, the file's value and\n"
         "the line. The model and device version lines are not compared. Exit status 0 when\n"
         "nothing differs, 1 when anything does or no line of the file sets a parameter.\n",
         Reach::EachCamera, Link::Answered, false, CheckDiff, RunDiff},
    };
}
