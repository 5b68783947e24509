#include "operations/CameraIdentity.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "controls/CameraModel.h"
#include "core/DocumentOpener.h"
#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "operations/FactoryGate.h"
#include "protocol/CommandEngine.h"
#include "protocol/CommandIds.h"

namespace CameraIdentity {

namespace {

constexpr int kQueryTimeoutMs = 5000;
constexpr int kDeviceVersionTimeoutMs = 10000;
// The camera takes a new camera id only right after this code.
constexpr int32_t kUnlockCode = 5086213;

// A version number 123 reads 1.23.
std::string VersionText(int32_t number) {
    char text[32];
    std::snprintf(text, sizeof text, "%d.%02d", number / 100, number % 100);
    return text;
}

std::string FirstCharacter(const std::string& text) {
    return text.empty() ? std::string() : text.substr(0, 1);
}

// What the engine makes of a text: blanks removed, letters upper-cased.
std::string AsParsed(const std::string& text) {
    std::string parsed;
    for (char c : text) {
        if (c != ' ') {
            parsed += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
    }
    return parsed;
}

// The text of the query just answered as the camera sent it. The engine's value has lost its
// blanks and letter case: a user id "Line A" would read "LINEA", and saving it would write that
// back.
std::string AsSent(ProcessContext& context, const std::string& parsed) {
    const std::string& line = context.Get<CommandEngine>().LastOutcome().reply;
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
        return parsed;
    }
    std::string text = line.substr(equals + 1);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) {
        text.pop_back();
    }
    return AsParsed(text) == parsed ? text : parsed;
}

// Queries a text of the camera; false when it did not tell.
bool GetTextAsSent(ProcessContext& context, int cmdId, std::string& text) {
    if (!context.Get<CommandEngine>().GetString(cmdId, text, kQueryTimeoutMs)) {
        return false;
    }
    text = AsSent(context, text);
    return true;
}

bool IsPdf(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".pdf";
}

}  // namespace

AboutData ReadAboutData(ProcessContext& context) {
    AboutData data;
    CommandEngine& engine = context.Get<CommandEngine>();
    int32_t number = 0;
    if (!engine.GetValue(CommandIds::kVN, number, kQueryTimeoutMs)) {
        return data;  // no camera: nothing more to ask
    }
    data.firmwareVersion = VersionText(number);
    CameraModel& model = context.Get<CameraModel>();
    if (model.CheckModel() && model.IsSupported()) {
        data.modelName = model.Text();
    }
    std::string text;
    if (GetTextAsSent(context, CommandIds::kID, text)) {
        data.cameraId = text;
    }
    if (engine.GetValue(CommandIds::kPV, number, kQueryTimeoutMs)) {
        data.fpgaVersion = VersionText(number);
    }
    if (GetTextAsSent(context, CommandIds::kUD, text)) {
        data.userId = text;
    }
    if (engine.GetString(CommandIds::kDV, text, kQueryTimeoutMs)) {
        if (std::optional<DeviceVersion> parts = SplitDeviceVersion(text)) {
            data.deviceVersion = *parts;
        }
    }
    return data;
}

std::optional<DeviceVersion> SplitDeviceVersion(const std::string& text) {
    if (std::count(text.begin(), text.end(), '.') != 3) {
        return std::nullopt;
    }
    DeviceVersion parts;
    std::size_t begin = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::size_t dot = i + 1 < parts.size() ? text.find('.', begin) : text.size();
        parts[i] = text.substr(begin, dot - begin);
        begin = dot + 1;
    }
    return parts;
}

bool SaveDeviceVersion(ProcessContext& context, const DeviceVersion& parts) {
    if (!FactoryGate::Allows(context, "Save Dev Ver")) {
        return false;
    }
    std::string text;
    // Each part whole, as the dialog shows it: its first character alone would turn a shown
    // 10.20.3.4 into 1.2.3.4 on the camera.
    for (std::size_t i = 0; i < parts.size(); ++i) {
        text += (i > 0 ? "." : "") + parts[i];
    }
    if (!context.Get<CommandEngine>().SetString(CommandIds::kDV00, text, kDeviceVersionTimeoutMs)) {
        context.Get<Notifier>().Tell("Couldn't write the Device Version.", MessageIcon::Error);
        return false;
    }
    context.Get<Notifier>().Tell("Writing the Device Version has been completed.",
                                 MessageIcon::Information);
    return true;
}

std::vector<std::string> ListHelpFiles(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        std::error_code typeError;
        if (entry.is_regular_file(typeError) && IsPdf(entry.path())) {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

void ViewHelpFile(ProcessContext& context, const std::string& folder, const std::string& name) {
    if (name.empty()) {
        context.Get<Notifier>().Tell("No file was selected !!", MessageIcon::Error);
        return;
    }
    const std::string path = (std::filesystem::path(folder) / name).string();
    if (!context.Get<DocumentOpener>().Open(path)) {
        // Not a silent click: the operator learns the viewer did not start.
        context.Get<Notifier>().Tell("Couldn't open the help file " + path + ".",
                                     MessageIcon::Error);
    }
}

bool OpenUserGuide(ProcessContext& context, const std::vector<std::string>& places) {
    // A place whose viewer does not start (a desktop without a browser for the page) is passed
    // over for the next, so that the Markdown still opens.
    std::vector<std::string> unopened;
    for (const std::string& place : places) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(place, error)) {
            continue;
        }
        if (context.Get<DocumentOpener>().Open(place)) {
            return true;
        }
        unopened.push_back(place);
    }
    // The paths one per line, each after a line break.
    const auto lines = [](const std::vector<std::string>& paths) {
        std::string text;
        for (const std::string& path : paths) {
            text += "\n" + path;
        }
        return text;
    };
    if (!unopened.empty()) {
        context.Get<Notifier>().Tell(
            "Couldn't open the user guide: no viewer started for it. It is in:" + lines(unopened),
            MessageIcon::Error);
        return false;
    }
    context.Get<Notifier>().Tell(
        "The user guide is not installed. It was looked for in:" + lines(places),
        MessageIcon::Warning);
    return false;
}

bool SaveUserId(ProcessContext& context, const std::string& text) {
    if (text.size() > kUserIdLimit) {
        context.Get<Notifier>().Tell("User ID string is too long !!", MessageIcon::Error);
        return false;
    }
    if (!context.Get<CommandEngine>().SetString(CommandIds::kUD, text, kQueryTimeoutMs)) {
        context.Get<Notifier>().Tell("Couldn't write the User ID.", MessageIcon::Error);
        return false;
    }
    context.Get<Notifier>().Tell("Writing the User ID \"" + text + "\" has been completed.",
                                 MessageIcon::Information);
    return true;
}

bool MayEditCameraId(ProcessContext& context) {
    return FactoryGate::Allows(context, "Edit camera id");
}

bool MayEditUserId(ProcessContext& context) {
    return FactoryGate::Allows(context, "Edit user id");
}

std::string ReadUserId(ProcessContext& context) {
    std::string text;
    if (!GetTextAsSent(context, CommandIds::kUD, text)) {
        return kUserIdPlaceholder;
    }
    return text;
}

CameraIdCharacters ReadCameraId(ProcessContext& context) {
    CameraIdCharacters characters;
    std::string text;
    if (GetTextAsSent(context, CommandIds::kID, text)) {
        for (std::size_t i = 0; i < characters.size() && i < text.size(); ++i) {
            characters[i] = text.substr(i, 1);
        }
    }
    return characters;
}

bool SaveCameraId(ProcessContext& context, const CameraIdCharacters& edits) {
    if (!FactoryGate::Allows(context, "Save camera id")) {
        return false;
    }
    CommandEngine& engine = context.Get<CommandEngine>();
    if (!engine.SetValue(CommandIds::kULCK, kUnlockCode, kQueryTimeoutMs)) {
        context.Get<Notifier>().Tell("Couldn't save camera id.", MessageIcon::Error);
        return false;
    }
    std::string id;
    for (const std::string& edit : edits) {
        id += FirstCharacter(edit);
    }
    if (!engine.SetString(CommandIds::kID00, id, kQueryTimeoutMs)) {
        context.Get<Notifier>().Tell("Couldn't save the camera id.", MessageIcon::Error);
        return false;
    }
    context.Get<Notifier>().Tell("Completed saving camera id: " + id + ".",
                                 MessageIcon::Information);
    return true;
}

}  // namespace CameraIdentity
