#include "files/CameraSettingsFile.h"

#include <cstdio>
#include <filesystem>

#include "controls/CameraModel.h"
#include "controls/ControlTable.h"
#include "core/ControlMode.h"
#include "core/ProcessContext.h"
#include "protocol/Command.h"
#include "protocol/CommandEngine.h"
#include "protocol/CommandIds.h"

namespace CameraSettingsFile {

namespace {

constexpr int kDeviceVersionTimeoutMs = 5000;
constexpr int kLineBufferSize = 256;

// The parameter lines, in table order; factory rows only when asked for.
std::string ParameterLines(ProcessContext& context, bool withFactoryRows) {
    std::string text;
    for (const ControlEntry& row : context.Get<ControlTable>().Entries()) {
        if (row.inFile == 0 || (row.paramClass == kFactoryParam && !withFactoryRows)) {
            continue;
        }
        text += Command::GetMnemonic(row.cmdId) + "=" + std::to_string(row.value) + "\n";
    }
    return text;
}

}  // namespace

std::string AllDataText(ProcessContext& context) {
    std::string text;
    const bool factoryMode = context.Get<ControlMode>().IsFactory();
    if (factoryMode) {
        CameraModel& model = context.Get<CameraModel>();
        model.CheckModel();
        if (model.IsSupported()) {
            text += "MD00=" + model.Text() + "\n";
        }
    }
    int32_t deviceVersion = 0;
    if (context.Get<CommandEngine>().GetValue(CommandIds::kDV, deviceVersion,
                                              kDeviceVersionTimeoutMs)) {
        text += "DV=" + std::to_string(deviceVersion) + "\n";
    }
    return text + ParameterLines(context, factoryMode);
}

std::string ShippingDataText(ProcessContext& context) {
    return ParameterLines(context, true);
}

std::optional<std::vector<std::string>> ReadLines(const std::string& path) {
#ifdef _WIN32
    std::FILE* file = _wfopen(std::filesystem::u8path(path).c_str(), L"rt");
#else
    std::FILE* file = std::fopen(path.c_str(), "r");
#endif
    if (file == nullptr) {
        return std::nullopt;
    }
    std::vector<std::string> lines;
    char buffer[kLineBufferSize];
    while (std::fgets(buffer, sizeof buffer, file) != nullptr) {
        lines.emplace_back(buffer);
    }
    std::fclose(file);
    return lines;
}

}  // namespace CameraSettingsFile
