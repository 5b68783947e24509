#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "files/CameraSettingsFile.h"

class OperatorWindow;
class ProcessContext;

// Saving the camera's parameters to a settings file and loading such a file into the camera.
namespace CameraFile {

enum class Variant {
    AllData,       // the mode's parameters, with the model (factory mode) and device version
    ShippingData,  // every parameter kept in files, factory ones included, nothing else
};

// The file's text from what the control table holds. All Data asks the camera for its model
// (in factory mode) and its device version first.
std::string SettingsFileText(ProcessContext& context, Variant variant);
// The parameters the file would hold but leaves out, because the camera has not told their
// values (a read that went unanswered, or none yet): their mnemonics in file order, as one text
// ("GA4B00, PGC"); empty when there are none.
std::string UnknownParameters(ProcessContext& context, Variant variant);
// Writes one file; false (after telling the operator) when it cannot be written, or when the
// camera has told no value it would hold. An existing file is replaced only once the new one is
// complete.
bool SaveSettingsFile(ProcessContext& context, const std::string& path, Variant variant);

// A line of a loaded file that the camera did not confirm: it refused it, or did not answer.
struct RefusedLine {
    int lineNumber = 0;
    std::string mnemonic;
};

struct LoadSummary {
    bool opened = false;
    int linesSent = 0;
    std::vector<RefusedLine> refused;
    std::vector<RefusedLine> unanswered;
    // Lines that set something by a name no command has ("GAA=400"): never sent.
    std::vector<RefusedLine> unknown;
    // Cancelled, or the camera stopped answering: the lines after were not sent.
    bool stopped = false;
};

// The lines of the settings file at path; nothing, after one message to the operator, when it
// cannot be opened or sets no parameter (then nothing of it is sent).
std::optional<std::vector<CameraSettingsFile::Line>> ReadSettingsLines(ProcessContext& context,
                                                                       const std::string& path);

// Sends every line the camera takes in this mode to it, in file order, under the progress
// window over owner; the table takes each value sent. Tells the operator when the file cannot
// be opened or is no settings file, and sends nothing of it.
LoadSummary LoadSettingsFile(ProcessContext& context, const std::string& path,
                             OperatorWindow* owner);
// The same for lines read from the file at path before (a part of them, or all), in the order
// given. A load replaces the camera's values: the change history starts afresh.
LoadSummary LoadLines(ProcessContext& context, const std::string& path,
                      const std::vector<CameraSettingsFile::Line>& lines, OperatorWindow* owner);
// Tells the operator that the file cannot be opened or written.
void ReportUnopened(ProcessContext& context, const std::string& path);

// The menu flows: the operator chooses the file in the folder used last, which is kept again;
// the chooser is owned by owner. A file that would leave out parameters the camera has not
// told is saved only once the operator agreed to a question that counts them (No by default);
// one that would hold none of them is not saved.
// The file chooser as File > Open shows it; use runs with the chosen path.
void WithFileToOpen(ProcessContext& context, OperatorWindow* owner,
                    const std::function<void(const std::string&)>& use);
void SaveAllDataAs(ProcessContext& context, OperatorWindow* owner);
void SaveShippingDataAs(ProcessContext& context, OperatorWindow* owner);

}  // namespace CameraFile
