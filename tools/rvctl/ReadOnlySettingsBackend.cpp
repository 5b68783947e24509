#include "tools/rvctl/ReadOnlySettingsBackend.h"

#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include "platform/posix/FileSettingsBackend.h"
#endif

std::unique_ptr<SettingsBackend> ReadOnlySettingsBackend::OfTheWindow(ProcessContext& context) {
#ifndef _WIN32
    // The file store creates a missing file on its first read; rvctl leaves that to the window.
    std::error_code error;
    if (!std::filesystem::exists(FileSettingsBackend::DefaultPath(), error)) {
        return std::make_unique<ReadOnlySettingsBackend>(nullptr);
    }
#endif
    return std::make_unique<ReadOnlySettingsBackend>(SettingsBackend::CreateDefault(context));
}

std::optional<StoredValue> ReadOnlySettingsBackend::Read(const std::string& name) {
    return store_ ? store_->Read(name) : std::nullopt;
}
