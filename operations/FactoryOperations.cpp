#include "operations/FactoryOperations.h"

#include <cstdlib>
#include <string>

#include "controls/CameraModel.h"
#include "controls/ControlIds.h"
#include "core/MainView.h"
#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "protocol/CommandEngine.h"
#include "protocol/CommandIds.h"

namespace FactoryOperations {

namespace {

using namespace ControlIds;

constexpr int kModelTimeoutMs = 10000;
constexpr int kXmlWriteTimeoutMs = 10000;
constexpr int kXmlReadTimeoutMs = 5000;
constexpr int kResetTimeoutMs = 1000;
constexpr int32_t kXmlDigitEdits[] = {kXmlVersionMajor, kXmlVersionMinor, kXmlVersionPatch};

}  // namespace

void SetCameraModel(ProcessContext& context, MainView& view) {
    const int32_t index = view.SelectedIndex(kCameraModelList);
    if (index < 0 || index >= CameraModel::kUnsupported ||
        !context.Get<CommandEngine>().SetString(CommandIds::kMD00, CameraModel::ModelName(index),
                                                kModelTimeoutMs)) {
        context.Get<Notifier>().Tell("Failed writting camera model id.", MessageIcon::Error);
        return;
    }
    context.Get<CameraModel>().CheckModel();
    context.Get<Notifier>().Tell("Succeeded in writting camera model id.",
                                 MessageIcon::Information);
}

void WriteXmlVersion(ProcessContext& context, MainView& view) {
    std::string digits;
    for (int32_t id : kXmlDigitEdits) {
        const std::string text = view.ControlText(id);
        if (!text.empty()) {
            digits += text[0];
        }
    }
    const int32_t number = static_cast<int32_t>(std::strtol(digits.c_str(), nullptr, 10));
    if (context.Get<CommandEngine>().SetValue(CommandIds::kXMLVR, number, kXmlWriteTimeoutMs)) {
        context.Get<Notifier>().Tell("Writing the XML Version has been completed.",
                                     MessageIcon::Information);
    } else {
        context.Get<Notifier>().Tell("Couldn't write the XML Version.", MessageIcon::Error);
    }
}

void ReadXmlVersion(ProcessContext& context, MainView& view) {
    int32_t version = 0;
    // Without an answer the edits keep what they show: a guess there would be written back.
    if (!context.Get<CommandEngine>().GetValue(CommandIds::kXMLVR, version, kXmlReadTimeoutMs)) {
        return;
    }
    view.SetControlText(kXmlVersionMajor, std::to_string(version / 100));
    view.SetControlText(kXmlVersionMinor, std::to_string(version % 100 / 10));
    view.SetControlText(kXmlVersionPatch, std::to_string(version % 10));
}

void ResetCamera(ProcessContext& context, MainView& view, int32_t& quitWithoutConfirm) {
    context.Get<CommandEngine>().SetValue(CommandIds::kCRS00, 1, kResetTimeoutMs);
    quitWithoutConfirm = 1;
    view.EndProgram();
}

}  // namespace FactoryOperations
