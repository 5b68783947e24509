#pragma once

#include <memory>
#include <optional>
#include <string>

class OperatorWindow;
class ProcessContext;

// What a file dialog is asked for.
struct FileDialogRequest {
    OperatorWindow* owner = nullptr;  // the window the dialog belongs to; none for the main one
    std::string folder;               // proposed folder
    std::string fileName;             // proposed name, "*.txt" for none in particular
    std::string defaultExtension;     // added to a typed name without one, e.g. "txt"
    std::string filterName;           // e.g. "txt file (*.txt)"
    std::string filterPattern;        // e.g. "*.txt"
};

// Lets the operator choose a file. rvtool shows the desktop's file dialog, rvctl takes the
// path from its command line, tests answer from a script. The result is empty when the
// operator cancelled; the default cancels every time.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    virtual std::optional<std::string> ChooseFileToSave(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> ChooseFileToOpen(const FileDialogRequest& request) = 0;
    static std::unique_ptr<FileChooser> CreateDefault(ProcessContext& context);
};
