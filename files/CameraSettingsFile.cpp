#include "files/CameraSettingsFile.h"

#include <cstdio>
#include <filesystem>

#include "protocol/Command.h"

namespace CameraSettingsFile {

namespace {

constexpr int kLineBufferSize = 256;

// A value the camera never told is not written as if it were the camera's.
std::string ParameterLines(const ControlTable::Rows& rows, bool withFactoryRows) {
    std::string text;
    for (const ControlEntry& row : rows) {
        if (!HoldsRow(row, withFactoryRows) || !row.known) {
            continue;
        }
        text += Command::GetMnemonic(row.cmdId) + "=" + std::to_string(row.value) + "\n";
    }
    return text;
}

}  // namespace

bool HoldsRow(const ControlEntry& row, bool withFactoryRows) {
    return row.inFile != 0 && (row.paramClass != kFactoryParam || withFactoryRows);
}

std::string AllDataText(const ControlTable::Rows& rows, const Identity& identity,
                        bool withFactoryRows) {
    std::string text;
    if (identity.model) {
        text += "MD00=" + *identity.model + "\n";
    }
    if (identity.deviceVersion) {
        text += "DV=" + std::to_string(*identity.deviceVersion) + "\n";
    }
    return text + ParameterLines(rows, withFactoryRows);
}

std::string ShippingDataText(const ControlTable::Rows& rows) {
    return ParameterLines(rows, true);
}

std::optional<std::vector<Line>> ReadLines(const std::string& path) {
#ifdef _WIN32
    std::FILE* file = _wfopen(std::filesystem::u8path(path).c_str(), L"rt");
#else
    std::FILE* file = std::fopen(path.c_str(), "r");
#endif
    if (file == nullptr) {
        return std::nullopt;
    }
    std::vector<Line> lines;
    char buffer[kLineBufferSize];
    int number = 1;
    while (std::fgets(buffer, sizeof buffer, file) != nullptr) {
        lines.push_back({number, buffer});
        const std::string& text = lines.back().text;
        if (!text.empty() && text.back() == '\n') {
            ++number;
        }
    }
    std::fclose(file);
    return lines;
}

}  // namespace CameraSettingsFile
