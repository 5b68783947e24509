// calibrate: the camera's calibrations, as the "Recalibrate" buttons run them.
#include <optional>
#include <string>
#include <vector>

#include "core/ProcessContext.h"
#include "operations/Calibration.h"
#include "tools/rvctl/CameraOutput.h"
#include "tools/rvctl/Subcommands.h"

namespace {

struct KindName {
    const char* name;
    Calibration::Correction correction;
};

const KindName kKindNames[] = {
    {"shading", Calibration::Correction::Shading},
    {"pixel-gain", Calibration::Correction::PixelGain},
    {"pixel-black", Calibration::Correction::PixelBlack},
};

std::optional<Calibration::Kind> KindOf(const Options& options, std::string& error) {
    if (options.operands.size() != 1) {
        error = "calibrate takes one kind: shading, pixel-gain or pixel-black";
        return std::nullopt;
    }
    for (const KindName& kind : kKindNames) {
        if (options.operands[0] == kind.name) {
            return Calibration::Kind{kind.correction, options.Has("--factory-area")};
        }
    }
    error = "\"" + options.operands[0] + "\" is no calibration: shading, pixel-gain or pixel-black";
    return std::nullopt;
}

std::string CheckCalibrate(const Options& options, int32_t controlMode) {
    std::string error;
    const std::optional<Calibration::Kind> kind = KindOf(options, error);
    if (kind && kind->factoryArea && controlMode != 1) {
        return "--factory-area calibrates into the factory area, only in factory mode "
               "(--factory)";
    }
    return kind ? std::string() : error;
}

ExitStatus RunCalibrate(Camera& camera) {
    std::string error;
    const Calibration::Kind kind = *KindOf(camera.options, error);
    const int32_t code = Calibration::Run(camera.context, kind, nullptr);
    const std::string result = Calibration::ResultText(code);
    Record record(result);
    record.Text("calibration", Calibration::Caption(kind));
    // A code only where the camera reported one.
    if (code >= 0) {
        record.Number("code", code);
    } else {
        record.Null("code");
    }
    camera.output.Add(record.Text("result", result));
    if (code == Calibration::kCancelled) {
        return kInterrupted;
    }
    return result == "Succeeded" ? kSuccess : kFailed;
}

const std::vector<OwnOption> kCalibrateOptions = {
    {"--factory-area", nullptr, "into the factory area (factory mode only)"},
};

}  // namespace

std::vector<Subcommand> CalibrationCommands() {
    return {
        {"calibrate", "KIND", "run a calibration and print its result",
         "KIND is shading (flat-field), pixel-gain or pixel-black; --factory-area calibrates\n"
         "into the factory area (factory mode only). Waits while the camera reports busy and\n"
         "prints the result as the window shows it: Succeeded, Too Bright, Too Dark, Timeout\n"
         "Error or Unknown Result as the camera reported it, or why it has none: the camera\n"
         "refused the start or did not answer, or the link went away. Exit status 1 unless it\n"
         "succeeded.\n",
         Reach::EachCamera, Link::Answered, false, CheckCalibrate, RunCalibrate, kCalibrateOptions},
    };
}
