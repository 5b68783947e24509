#include "controls/CameraModel.h"

#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "protocol/CommandEngine.h"
#include "protocol/CommandIds.h"

namespace {
const char* const kModelNames[CameraModel::kUnsupported] = {"RV-2410M-TCL", "RV-4820M-TCL",
                                                            "RV-2410M-PTCL", "RV-4820M-PTCL"};
constexpr int kModelQueryTimeoutMs = 1000;
}  // namespace

const char* CameraModel::ModelName(int32_t index) {
    return index >= 0 && index < kUnsupported ? kModelNames[index] : "";
}

bool CameraModel::CheckModel() {
    std::string answer;
    if (!context_.Get<CommandEngine>().GetString(CommandIds::kMD, answer, kModelQueryTimeoutMs)) {
        return false;
    }
    index_ = kUnsupported;
    for (int32_t i = 0; i < kUnsupported; ++i) {
        if (answer == kModelNames[i]) {
            index_ = i;
            break;
        }
    }
    if (index_ == kUnsupported) {
        context_.Get<Notifier>().Warn("Unsupported model: \"" + answer + "\"");
    }
    text_ = answer;
    return true;
}
