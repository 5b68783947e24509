#pragma once

#include <optional>
#include <string>

#include "core/FileChooser.h"

// The file dialog of a program run from the command line: the file is the one its command line
// named, offered by the subcommand before the flow asks; with none offered it cancels.
class CommandLineFileChooser : public FileChooser {
public:
    void Offer(std::string path) { path_ = std::move(path); }

    std::optional<std::string> ChooseFileToSave(const FileDialogRequest&) override { return path_; }
    std::optional<std::string> ChooseFileToOpen(const FileDialogRequest&) override { return path_; }

private:
    std::optional<std::string> path_;
};
