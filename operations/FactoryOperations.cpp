#include "operations/FactoryOperations.h"

#include <cstdlib>

#include "controls/CameraModel.h"
#include "core/LeadingNumber.h"
#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "operations/FactoryGate.h"
#include "protocol/CommandEngine.h"
#include "protocol/CommandIds.h"

namespace FactoryOperations {

namespace {

constexpr int kModelTimeoutMs = 10000;
constexpr int kXmlWriteTimeoutMs = 10000;
constexpr int kXmlReadTimeoutMs = 5000;
constexpr int kResetTimeoutMs = 1000;

}  // namespace

bool SetCameraModel(ProcessContext& context, int32_t modelIndex) {
    if (!FactoryGate::Allows(context, "Setting the camera model")) {
        return false;
    }
    if (modelIndex < 0 || modelIndex >= CameraModel::kUnsupported ||
        !context.Get<CommandEngine>().SetString(
            CommandIds::kMD00, CameraModel::ModelName(modelIndex), kModelTimeoutMs)) {
        context.Get<Notifier>().Tell("Failed writting camera model id.", MessageIcon::Error);
        return false;
    }
    context.Get<CameraModel>().CheckModel();
    context.Get<Notifier>().Tell("Succeeded in writting camera model id.",
                                 MessageIcon::Information);
    return true;
}

bool WriteXmlVersion(ProcessContext& context, int32_t version) {
    if (!FactoryGate::Allows(context, "Writing the XML version")) {
        return false;
    }
    if (context.Get<CommandEngine>().SetValue(CommandIds::kXMLVR, version, kXmlWriteTimeoutMs)) {
        context.Get<Notifier>().Tell("Writing the XML Version has been completed.",
                                     MessageIcon::Information);
        return true;
    }
    context.Get<Notifier>().Tell("Couldn't write the XML Version.", MessageIcon::Error);
    return false;
}

std::optional<int32_t> ReadXmlVersion(ProcessContext& context) {
    int32_t version = 0;
    if (!context.Get<CommandEngine>().GetValue(CommandIds::kXMLVR, version, kXmlReadTimeoutMs)) {
        return std::nullopt;
    }
    return version;
}

int32_t XmlVersionOfDigits(const std::vector<std::string>& digitTexts) {
    std::string digits;
    for (const std::string& text : digitTexts) {
        if (!text.empty()) {
            digits += text[0];
        }
    }
    return LeadingNumber(digits);
}

bool ResetCamera(ProcessContext& context) {
    if (!FactoryGate::Allows(context, "Camera Reset")) {
        return false;
    }
    context.Get<CommandEngine>().SetValue(CommandIds::kCRS00, 1, kResetTimeoutMs);
    return true;
}

}  // namespace FactoryOperations
