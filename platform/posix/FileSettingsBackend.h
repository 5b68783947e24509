#pragma once

#include <string>

#include "core/SettingsBackend.h"

// Keeps the settings values in a small text file in the layout of a registry export:
//   [Software\Varnel\RV-2410-TCL Control Tool]
//   "Control Mode"=dword:00000001
//   "Camera File Path"="/home/operator/cameras"
// Every write replaces the whole file through a temporary file and a rename, so a crash
// leaves either the old or the new file, never a truncated one. Lines it does not understand
// are ignored on reading and kept on writing.
class FileSettingsBackend : public SettingsBackend {
public:
    explicit FileSettingsBackend(std::string path);

    // RVTOOL_SETTINGS when set, else $XDG_CONFIG_HOME/rvtool/settings.ini (~/.config when unset).
    static std::string DefaultPath();

    std::optional<StoredValue> Read(const std::string& name) override;
    bool WriteDword(const std::string& name, uint32_t value) override;
    bool WriteText(const std::string& name, const std::string& text) override;

    const std::string& Path() const { return path_; }

private:
    bool Load(std::string& content);
    bool Replace(const std::string& name, const std::string& line);
    bool Store(const std::string& content);

    std::string path_;
};
