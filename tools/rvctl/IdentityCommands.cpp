// info: who the camera is.
#include <string>
#include <utility>
#include <vector>

#include "operations/CameraIdentity.h"
#include "tools/rvctl/CameraOutput.h"
#include "tools/rvctl/Subcommands.h"

namespace {

std::string NoOperands(const Options& options, int32_t) {
    return options.operands.empty() ? std::string()
                                    : "info takes no operands: \"" + options.operands[0] + "\"";
}

// The labels of the fields the camera did not tell: they still hold their placeholders.
std::vector<std::string> Untold(const CameraIdentity::AboutData& about) {
    const CameraIdentity::AboutData untold;
    const std::pair<const char*, bool> fields[] = {
        {"Model Name", about.modelName == untold.modelName},
        {"Camera ID", about.cameraId == untold.cameraId},
        {"User ID", about.userId == untold.userId},
        {"Firmware Version", about.firmwareVersion == untold.firmwareVersion},
        {"FPGA Version", about.fpgaVersion == untold.fpgaVersion},
        {"Device Version", about.deviceVersion == untold.deviceVersion},
    };
    std::vector<std::string> labels;
    for (const auto& [label, missing] : fields) {
        if (missing) {
            labels.push_back(label);
        }
    }
    return labels;
}

// What the about dialog shows, under its labels; question marks where the camera did not tell,
// which are named and fail the run.
ExitStatus RunInfo(Camera& camera) {
    const CameraIdentity::AboutData about = CameraIdentity::ReadAboutData(camera.context);
    const CameraIdentity::DeviceVersion& parts = about.deviceVersion;
    const std::string device = parts[0] + "." + parts[1] + "." + parts[2] + "." + parts[3];
    Record record("Model Name: " + about.modelName + "\nCamera ID: " + about.cameraId +
                  "\nUser ID: " + about.userId + "\nFirmware Version: " + about.firmwareVersion +
                  "\nFPGA Version: " + about.fpgaVersion + "\nDevice Version: " + device);
    record.Text("model", about.modelName)
        .Text("cameraId", about.cameraId)
        .Text("userId", about.userId)
        .Text("firmwareVersion", about.firmwareVersion)
        .Text("fpgaVersion", about.fpgaVersion)
        .Text("deviceVersion", device);
    const std::vector<std::string> untold = Untold(about);
    if (!untold.empty()) {
        std::string names;
        for (const std::string& label : untold) {
            names += (names.empty() ? "" : ", ") + label;
        }
        record.Value("untold", untold);
        camera.output.Add(record);
        camera.output.Error("the camera did not tell: " + names);
        return kFailed;
    }
    camera.output.Add(record);
    return kSuccess;
}

}  // namespace

std::vector<Subcommand> IdentityCommands() {
    return {
        {"info", "", "model, camera id, user id, firmware, FPGA and device versions",
         "What the about dialog shows of the camera; question marks where it did not tell,\n"
         "which are named on standard error. Exit status 1 when any field is untold.\n",
         Reach::EachCamera, Link::Answered, false, NoOperands, RunInfo},
    };
}
