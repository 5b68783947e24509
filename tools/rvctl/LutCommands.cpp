// lut read and lut write: the camera's look-up tables and gamma data files, as the LUT menu.
#include <optional>
#include <string>
#include <vector>

#include "core/CancelToken.h"
#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "files/GammaFile.h"
#include "files/LutChannel.h"
#include "operations/LutFiles.h"
#include "platform/FileReplacement.h"
#include "tools/rvctl/CameraOutput.h"
#include "tools/rvctl/OperandFile.h"
#include "tools/rvctl/OutputFile.h"
#include "tools/rvctl/Subcommands.h"

namespace {

// lut read [-o FILE], or lut write FILE: the usage error, or empty.
std::string LutUsage(const Options& options) {
    const std::vector<std::string>& words = options.operands;
    const bool read = !words.empty() && words[0] == "read";
    const bool write = !words.empty() && words[0] == "write";
    if ((read && words.size() == 1) || (write && words.size() == 2 && !options.Value("-o"))) {
        return std::string();
    }
    return "lut read [-o FILE], or lut write FILE";
}

// Every camera's table takes all its entries from the file, or the camera would keep some of
// its old curve under the new one's name.
std::string NotWhole(const std::string& path, int held, const std::string& table) {
    return path + " holds " + std::to_string(held) + " of the " +
           std::to_string(LutChannel::kEntries) + " levels of " + table +
           ": lut write sends only whole tables; nothing was sent";
}

std::string CheckLut(const Options& options, int32_t) {
    if (std::string error = LutUsage(options); !error.empty()) {
        return error;
    }
    if (options.operands[0] == "write") {
        // Read once for every camera; a file that would leave part of a table as it was is
        // refused before any camera is asked.
        const std::string& path = options.operands[1];
        if (std::string error = OperandFile::Read(path); !error.empty()) {
            return error;
        }
        const GammaFile::Levels levels = GammaFile::ParseGammaText(OperandFile::Contents(path));
        if (levels.refusal) {
            return path + ": " + *levels.refusal;
        }
        if (levels.held[LutTables::kMonochrome] < LutChannel::kEntries) {
            return NotWhole(path, levels.held[LutTables::kMonochrome], "a table");
        }
    }
    return OutputFile::CheckPattern(options.Value("-o"), options);
}

// The camera's tables as one object: "tables", each with its "channel" and its 256 "levels".
Record TablesRecord(Camera& camera) {
    LutTables& tables = camera.context.Get<LutTables>();
    JsonValue objects = JsonValue::array();
    for (const int channel : LutFiles::CameraChannels(camera.context)) {
        JsonValue levels = JsonValue::array();
        for (int entry = 0; entry < LutChannel::kEntries; ++entry) {
            levels.push_back(tables.Channel(channel).OutputLevel(entry));
        }
        objects.push_back(
            Record("").Number("channel", channel).Value("levels", std::move(levels)).Fields());
    }
    return Record(LutFiles::GammaFileText(camera.context)).Value("tables", std::move(objects));
}

ExitStatus ReadTables(Camera& camera) {
    if (!LutFiles::ReadCameraTables(camera.context)) {
        camera.output.Error("not every table entry was read: nothing written");
        return kFailed;
    }
    const std::optional<std::string> path = OutputFile::PathFor(camera, camera.options.Value("-o"));
    if (!path && camera.output.Json()) {
        camera.output.Add(TablesRecord(camera));
        return kSuccess;
    }
    if (!path) {
        OutputFile::WriteToOutput(camera, LutFiles::GammaFileText(camera.context));
        return kSuccess;
    }
    if (!MayReplaceFile(camera.context.Get<Notifier>(), *path)) {
        return kUsage;
    }
    if (!LutFiles::SaveTablesToFile(camera.context, *path)) {
        return kFailed;
    }
    camera.output.Add(Record("written " + *path).Text("file", *path));
    return kSuccess;
}

ExitStatus WriteTables(Camera& camera, const std::string& path) {
    const GammaFile::Levels levels = GammaFile::ParseGammaText(OperandFile::Contents(path));
    // A camera with three tables needs all three numbers on every line.
    static const char* const kTables[] = {"the red table", "the green table", "the blue table"};
    for (const int channel : LutFiles::CameraChannels(camera.context)) {
        if (levels.held[channel] < LutChannel::kEntries) {
            camera.output.Error(NotWhole(path, levels.held[channel], kTables[channel]));
            return kFailed;
        }
    }
    if (!LutFiles::LoadTables(camera.context, levels)) {
        return kFailed;
    }
    if (!LutFiles::WriteCameraTables(camera.context)) {
        // Interrupted, the transfer said how far it got; the camera is not to blame.
        if (camera.context.Get<CancelToken>().Requested()) {
            return kFailed;
        }
        camera.output.Error("the camera did not confirm every table entry of " + path);
        return kFailed;
    }
    camera.output.Add(Record("written to the camera: " + path).Text("file", path));
    return kSuccess;
}

ExitStatus RunLut(Camera& camera) {
    const std::vector<std::string>& operands = camera.options.operands;
    return operands[0] == "read" ? ReadTables(camera) : WriteTables(camera, operands[1]);
}

const std::vector<OwnOption> kLutOptions = {
    {"-o", "FILE", "lut read: the file to write; \"-\" or none: standard output"},
};

}  // namespace

std::vector<Subcommand> LutCommands() {
    return {
        {"lut", "read [-o FILE] | write FILE", "the look-up table to or from a gamma data file",
         "lut read: every table entry from the camera into a gamma data file (.csv) as the\n"
         "window's LUT > Save LUT file writes it, to FILE (\"{port}\" as for dump) or standard\n"
         "output (FILE \"-\"). lut write: a gamma data file into the camera, entry by entry, as "
         "the LUT\n"
         "editor's \"Write Table Data\" sends it; FILE \"-\" is standard input. A file that does\n"
         "not hold all 256 levels of every table the camera has, or that the reader refuses,\n"
         "sends nothing. Exit status 1 when an entry went unanswered or unconfirmed. lut read\n"
         "with --json and no FILE: one object whose \"tables\" hold each table's \"channel\"\n"
         "(1 on a monochrome camera, else 0, 1 and 2) and its 256 \"levels\".\n",
         Reach::EachCamera, Link::Answered, false, CheckLut, RunLut, kLutOptions},
    };
}
