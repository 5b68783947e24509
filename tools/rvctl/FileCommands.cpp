// dump, load and diff: the camera's parameters and settings files, as the window's File menu.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "controls/ControlCatalog.h"
#include "controls/ControlTable.h"
#include "core/CancelToken.h"
#include "core/ControlMode.h"
#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "core/WholeNumber.h"
#include "files/CameraSettingsFile.h"
#include "operations/CameraFile.h"
#include "operations/CameraRefresh.h"
#include "operations/OutcomeText.h"
#include "operations/SettingsComparison.h"
#include "platform/FileReplacement.h"
#include "tools/rvctl/CameraOutput.h"
#include "tools/rvctl/OperandFile.h"
#include "tools/rvctl/OutputFile.h"
#include "tools/rvctl/Subcommands.h"

namespace {

std::string CheckDump(const Options& options, int32_t) {
    if (!options.operands.empty()) {
        return "dump takes no file operand: \"" + options.operands[0] + "\"; write -o FILE";
    }
    return OutputFile::CheckPattern(options.Value("-o"), options);
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

// The settings file as one object: "model" and "deviceVersion" from its first lines, and its
// parameters in file order, each with its mnemonic, value and, for a list, the item's text.
Record DumpRecord(const std::string& text) {
    Record record(text);
    JsonValue parameters = JsonValue::array();
    for (const CameraSettingsFile::Line& line : CameraSettingsFile::SplitLines(text)) {
        const std::size_t equals = line.text.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        const std::string mnemonic = line.text.substr(0, equals);
        const std::string value = line.text.substr(equals + 1);
        if (mnemonic == "MD00") {
            record.Text("model", value);
            continue;
        }
        // The file's values are the table's whole numbers; a line that holds none is left out
        // rather than told as a number it is not.
        const std::optional<int64_t> number = WholeNumber(value, INT32_MIN, INT32_MAX);
        if (!number) {
            continue;
        }
        if (mnemonic == "DV") {
            record.Number("deviceVersion", *number);
            continue;
        }
        Record parameter("");
        parameter.Text("mnemonic", mnemonic).Number("value", *number);
        const CatalogEntry* entry = ControlCatalog::FindByMnemonic(mnemonic);
        if (entry != nullptr) {
            if (const CatalogItem* item =
                    ControlCatalog::FindItem(*entry, static_cast<int32_t>(*number))) {
                parameter.Text("text", item->text);
            }
        }
        parameters.push_back(parameter.Fields());
    }
    record.Value("parameters", std::move(parameters));
    return record;
}

ExitStatus RunDump(Camera& camera) {
    if (!ReadTheCamera(camera)) {
        return kFailed;
    }
    const CameraFile::Variant variant = camera.options.Has("--shipping")
                                            ? CameraFile::Variant::ShippingData
                                            : CameraFile::Variant::AllData;
    if (!AllKnown(camera, variant)) {
        return kFailed;
    }
    const std::string text = CameraFile::SettingsFileText(camera.context, variant);
    const std::optional<std::string> path = OutputFile::PathFor(camera, camera.options.Value("-o"));
    if (!path && camera.output.Json()) {
        camera.output.Add(DumpRecord(text));
        return kSuccess;
    }
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

// The lines of the settings file read for the run.
std::vector<CameraSettingsFile::Line> FileLines(const std::string& path) {
    return CameraSettingsFile::SplitLines(OperandFile::Contents(path));
}

// The lines of the file that name no command, each as a result of its own.
void AddUnknown(Camera& camera, const std::vector<CameraFile::RefusedLine>& unknown) {
    for (const CameraFile::RefusedLine& line : unknown) {
        camera.output.Add(Record("line " + std::to_string(line.lineNumber) + ": unknown mnemonic " +
                                 line.mnemonic)
                              .Number("line", line.lineNumber)
                              .Text("mnemonic", line.mnemonic)
                              .Flag("known", false));
    }
}

// The one operand of load and diff: a settings file that can be read and sets a parameter.
std::string CheckSettingsFile(const char* subcommand, const Options& options) {
    if (options.operands.size() != 1) {
        return std::string(subcommand) + " takes one settings file";
    }
    // Read once for every camera, and refused before any is asked: an empty file, a folder, a
    // picture or another format would load nothing and compare equal.
    const std::string& path = options.operands[0];
    if (std::string error = OperandFile::Read(path); !error.empty()) {
        return error;
    }
    ProcessContext scratch;
    if (!CameraSettingsFile::HasParameterLine(FileLines(path),
                                              scratch.Get<ControlTable>().Entries())) {
        return "no parameter lines in " + path;
    }
    return std::string();
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
        CameraFile::LoadLines(camera.context, path, FileLines(path), nullptr);
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
    AddUnknown(camera, summary.unknown);
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
                          .Number("unknown", static_cast<int64_t>(summary.unknown.size()))
                          .Flag("complete", !summary.stopped));
    if (interrupted) {
        return kInterrupted;
    }
    return summary.refused.empty() && summary.unanswered.empty() && summary.unknown.empty()
               ? kSuccess
               : kFailed;
}

ExitStatus RunDiff(Camera& camera) {
    const std::string& path = camera.options.operands[0];
    if (!ReadTheCamera(camera) || !AllKnown(camera, CameraFile::Variant::AllData)) {
        return kFailed;
    }
    const std::vector<CameraSettingsFile::Line> lines = FileLines(path);
    std::vector<CameraFile::RefusedLine> unknown;
    for (const CameraSettingsFile::Line& line : lines) {
        if (const std::optional<std::string> name = CameraSettingsFile::UnknownMnemonic(line)) {
            unknown.push_back({line.number, *name});
        }
    }
    bool differs = !unknown.empty();
    // With --json, one object per camera, so that "the same" is a result too:
    // {"file": ..., "differences": [], "unknown": []}.
    JsonValue differences = JsonValue::array();
    for (const SettingsComparison::Difference& difference :
         SettingsComparison::CompareLines(camera.context, lines)) {
        if (!difference.Differs()) {
            continue;
        }
        differs = true;
        const Record record =
            Record(difference.mnemonic + " camera=" + std::to_string(difference.cameraValue) +
                   " file=" + std::to_string(difference.fileValue) + " (line " +
                   std::to_string(difference.lineNumber) + ")")
                .Text("mnemonic", difference.mnemonic)
                .Number("camera", difference.cameraValue)
                .Number("file", difference.fileValue)
                .Number("line", difference.lineNumber);
        if (camera.output.Json()) {
            differences.push_back(record.Fields());
        } else {
            camera.output.Add(record);
        }
    }
    if (camera.output.Json()) {
        JsonValue misspelt = JsonValue::array();
        for (const CameraFile::RefusedLine& line : unknown) {
            misspelt.push_back(Record("")
                                   .Number("line", line.lineNumber)
                                   .Text("mnemonic", line.mnemonic)
                                   .Fields());
        }
        camera.output.Add(Record("")
                              .Text("file", path)
                              .Value("differences", std::move(differences))
                              .Value("unknown", std::move(misspelt)));
        return differs ? kFailed : kSuccess;
    }
    // A misspelt name compares with nothing: the camera does not match the file.
    AddUnknown(camera, unknown);
    return differs ? kFailed : kSuccess;
}

// dump's own options.
const std::vector<OwnOption> kDumpOptions = {
    {"--shipping", nullptr, "the Shipping Data parameters only"},
    {"-o", "FILE", "the file to write; \"-\" or none: standard output"},
};

}  // namespace

std::vector<Subcommand> FileCommands() {
    return {
        {"dump", "", "the camera's parameters as a settings file",
         "Reads the camera as the window's refresh does and writes an All Data settings file\n"
         "(--shipping: Shipping Data) exactly as the window's File > Save as writes it, to FILE\n"
         "or standard output (FILE \"-\"). \"{port}\" in FILE stands for each camera's port\n"
         "(-o backup/{port}.cam; the slashes and colons of a device path or a network name\n"
         "become \"_\"). An existing FILE is replaced only with --yes, and only once\n"
         "the new one is complete; a device or a FIFO is written into. A camera that leaves a\n"
         "parameter unanswered writes nothing. With --json and no FILE, one object: \"model\",\n"
         "\"deviceVersion\" and \"parameters\", each {\"mnemonic\", \"value\"} with a list's\n"
         "item as \"text\".\n",
         Reach::EachCamera, Link::Answered, false, CheckDump, RunDump, kDumpOptions},
        {"load", "FILE", "a settings file into the camera",
         "Sends every line of the settings file that the camera takes in this mode, in file\n"
         "order, as the window's File > Open does; prints each line the camera refused with its\n"
         "line number, each line it did not answer and each line with an unknown mnemonic, then\n"
         "a summary. FILE \"-\" is standard input; every camera gets the same lines. Exit status\n"
         "1 when any line was refused, unanswered or unknown; 2, with nothing sent, when no line\n"
         "of the file sets a parameter.\n",
         Reach::EachCamera, Link::Answered, false, CheckLoad, RunLoad},
        {"diff", "FILE", "where the camera differs from a settings file",
         "Reads the camera as dump does and prints, for every parameter line of the file that\n"
         "the camera holds otherwise: the mnemonic, the camera's value, the file's value and\n"
         "the line, and each line with an unknown mnemonic. The model and device version lines\n"
         "are not compared. FILE \"-\" is standard input. Exit status 0 when nothing differs, 1\n"
         "when anything does, 2 when no line of the file sets a parameter. With --json, one\n"
         "object per camera: {\"file\", \"differences\": [...], \"unknown\": [...]}, empty\n"
         "arrays when the camera matches.\n",
         Reach::EachCamera, Link::Answered, false, CheckDiff, RunDiff},
    };
}
