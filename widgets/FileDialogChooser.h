#pragma once

#include "core/FileChooser.h"

// Lets the operator choose a file with the desktop's file dialog, over the window that asked.
class FileDialogChooser : public FileChooser {
public:
    std::optional<std::string> ChooseFileToSave(const FileDialogRequest& request) override;
    std::optional<std::string> ChooseFileToOpen(const FileDialogRequest& request) override;
};
