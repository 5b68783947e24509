// info: who the camera is.
#include <string>
#include <vector>

#include "operations/CameraIdentity.h"
#include "tools/rvctl/CameraOutput.h"
#include "tools/rvctl/Subcommands.h"

namespace {

std::string NoOperands(const Options& options, int32_t) {
    return options.operands.empty() ? std::string()
                                    : "info takes no operands: \"" + options.operands[0] + "\"";
}

// What the about dialog shows, under its labels; question marks where the camera did not tell.
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
    camera.output.Add(record);
    // A camera that does not tell its firmware version is asked nothing more.
    return about.firmwareVersion == CameraIdentity::kVersionPlaceholder ? kFailed : kSuccess;
}

}  // namespace

std::vector<Subcommand> IdentityCommands() {
    return {
        {"info", "", "model, camera id, user id, firmware, FPGA and device versions",
         "What the about dialog shows of the camera; question marks where it did not tell.\n",
         Reach::EachCamera, Link::Answered, false, NoOperands, RunInfo},
    };
}
