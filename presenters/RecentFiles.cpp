#include "presenters/RecentFiles.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/ProcessContext.h"
#include "core/SettingsStore.h"

namespace RecentFiles {

namespace {

// Every kept name, there or not, newest first.
std::vector<std::string> Kept(SettingsStore& settings) {
    std::vector<std::string> kept;
    for (int i = 0; i < kRecentFileCount; ++i) {
        std::string path;
        if (settings.ReadText(kRecentFile1 + i, path) && !path.empty()) {
            kept.push_back(path);
        }
    }
    return kept;
}

}  // namespace

std::vector<std::string> List(ProcessContext& context) {
    std::vector<std::string> files = Kept(context.Get<SettingsStore>());
    files.erase(std::remove_if(files.begin(), files.end(),
                               [](const std::string& path) {
                                   std::error_code error;
                                   return !std::filesystem::is_regular_file(path, error);
                               }),
                files.end());
    return files;
}

void Add(ProcessContext& context, const std::string& path) {
    SettingsStore& settings = context.Get<SettingsStore>();
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    const std::string name = error ? path : absolute.lexically_normal().string();
    std::vector<std::string> files = Kept(settings);
    files.erase(std::remove(files.begin(), files.end(), name), files.end());
    files.insert(files.begin(), name);
    for (int i = 0; i < kRecentFileCount; ++i) {
        settings.WriteText(kRecentFile1 + i,
                           i < static_cast<int>(files.size()) ? files[i] : std::string());
    }
}

}  // namespace RecentFiles
