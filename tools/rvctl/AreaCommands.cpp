// area, store and restore: the camera's flash areas, as the window's Settings menu.
#include <cctype>
#include <optional>
#include <string>
#include <vector>

#include "controls/CameraModel.h"
#include "core/ProcessContext.h"
#include "operations/CameraFile.h"
#include "operations/FlashAreas.h"
#include "tools/rvctl/CameraOutput.h"
#include "tools/rvctl/Subcommands.h"

namespace {

constexpr int32_t kFactoryArea = 0;

std::string Folded(const std::string& text) {
    std::string folded;
    for (const char c : text) {
        if (c != ' ') {
            folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return folded;
}

// "Factory", "User1" ... "User3" (any letter case, a blank allowed) or 0 ... 3.
std::optional<int32_t> AreaOfOperand(const std::string& operand) {
    const std::string folded = Folded(operand);
    for (int32_t area = 0; area < 4; ++area) {
        if (folded == Folded(FlashAreas::AreaName(area)) || folded == std::to_string(area)) {
            return area;
        }
    }
    return std::nullopt;
}

std::string CheckArea(const Options& options, int32_t controlMode, const char* subcommand,
                      bool store) {
    if (options.operands.size() != 1) {
        return std::string(subcommand) + " takes one area: Factory, User1, User2, User3 or 0 ... 3";
    }
    const std::optional<int32_t> area = AreaOfOperand(options.operands[0]);
    if (!area) {
        return "\"" + options.operands[0] +
               "\" is no flash area: Factory, User1, User2, User3 or 0 ... 3";
    }
    // The window offers the factory area for storing only in factory mode.
    if (store && *area == kFactoryArea && controlMode != 1) {
        return "the factory area is stored only in factory mode (--factory)";
    }
    return std::string();
}

std::string CheckStore(const Options& options, int32_t controlMode) {
    return CheckArea(options, controlMode, "store", true);
}

std::string CheckRestore(const Options& options, int32_t controlMode) {
    return CheckArea(options, controlMode, "restore", false);
}

std::string CheckNoOperands(const Options& options, int32_t) {
    return options.operands.empty() ? std::string()
                                    : "area takes no operands: \"" + options.operands[0] + "\"";
}

Record AreaRecord(const std::string& verb, int32_t area) {
    const std::string name = FlashAreas::AreaName(area);
    return Record(verb.empty() ? name : verb + " " + name).Number("area", area).Text("name", name);
}

ExitStatus RunArea(Camera& camera) {
    const std::optional<int32_t> area = FlashAreas::ReadCurrentArea(camera.context);
    if (!area) {
        camera.output.Error("the camera told no current area");
        return kFailed;
    }
    if (FlashAreas::AreaName(*area).empty()) {
        camera.output.Error("the camera reports area " + std::to_string(*area) +
                            ", which is none of the four");
        return kFailed;
    }
    camera.output.Add(AreaRecord("", *area));
    return kSuccess;
}

ExitStatus RunStore(Camera& camera) {
    const int32_t area = *AreaOfOperand(camera.options.operands[0]);
    if (!FlashAreas::StoreArea(camera.context, area)) {
        camera.output.Error("the camera did not confirm the store into " +
                            FlashAreas::AreaName(area));
        return kFailed;
    }
    camera.output.Add(AreaRecord("stored into", area));
    return kSuccess;
}

ExitStatus RunRestore(Camera& camera) {
    const int32_t area = *AreaOfOperand(camera.options.operands[0]);
    if (!FlashAreas::LoadArea(camera.context, area, nullptr)) {
        camera.output.Error("the camera did not confirm the load of " + FlashAreas::AreaName(area));
        return kFailed;
    }
    // What the camera holds now is known only from the read that follows the load: any
    // parameter it left unread is named, and the run fails.
    std::string unread;
    if (!camera.context.Get<CameraModel>().IsSupported()) {
        unread = "nothing was read back: the camera's model is none of the four this tool knows";
    } else if (const std::string unknown =
                   CameraFile::UnknownParameters(camera.context, CameraFile::Variant::AllData);
               !unknown.empty()) {
        unread = "not read back: " + unknown;
    }
    camera.output.Add(AreaRecord("loaded", area).Flag("readBack", unread.empty()));
    if (!unread.empty()) {
        camera.output.Error(FlashAreas::AreaName(area) + " loaded, but " + unread);
        return kFailed;
    }
    return kSuccess;
}

}  // namespace

std::vector<Subcommand> AreaCommands() {
    return {
        {"area", "", "the flash area the camera reports as current",
         "Prints the area the camera's settings came from: Factory, User 1, User 2 or User 3.\n"
         "Whether they were changed since is not told: the camera shows an area's settings\n"
         "only by loading them, and each run of rvctl knows only its own changes.\n",
         Reach::EachCamera, Link::Answered, false, CheckNoOperands, RunArea},
        {"store", "AREA", "the camera's current settings into a flash area",
         "AREA is Factory, User1, User2, User3 or 0 ... 3; the factory area only in factory\n"
         "mode (--factory). Exit status 1 when the camera did not confirm.\n",
         Reach::EachCamera, Link::Answered, false, CheckStore, RunStore},
        {"restore", "AREA", "a flash area's settings into the camera",
         "Loads the area's settings as the window's Settings > Load does, then reads the\n"
         "camera. AREA as for store; the factory area too. Exit status 1 when the camera did\n"
         "not confirm, or when a parameter could not be read back (they are named).\n",
         Reach::EachCamera, Link::Answered, false, CheckRestore, RunRestore},
    };
}
