#pragma once

#include <string>

#include "core/SettingsBackend.h"

// Keeps the settings values in a small text file in the layout of a registry export:
//   [Software\Varnel\RV-2410-TCL Control Tool]
//   "Control Mode"=dword:00000001
//   "Camera File Path"="/home/operator/cameras"
// Every write replaces the whole file through a temporary file beside it and a rename, so a
// crash leaves either the old or the new file, never a truncated one; a file that is a symbolic
// link is written through to its target, which keeps its mode. Each write holds an advisory
// lock on the file from its read to its rename, so copies of the program running at once keep
// each other's values. Lines it does not understand are ignored on reading and kept on writing.
//
// Only a file that does not exist counts as missing (and is created). A file that exists but
// cannot be read is left alone for the rest of the run: every value takes its default, nothing
// is written, and one line on stderr names the file and the reason.
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
    enum class Load { Done, Missing, Failed };

    Load LoadFrom(int fd, std::string& content);
    bool Replace(const std::string& name, const std::string& line);
    // Remembers that the file cannot be read and says so, once.
    void GiveUp(int error);

    std::string path_;
    bool unreadable_ = false;
};
