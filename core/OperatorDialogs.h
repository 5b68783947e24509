#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class OperatorWindow;
class ProcessContext;

// A choice of one item from a list, as the flash area dialog asks it.
struct ChoiceRequest {
    OperatorWindow* owner = nullptr;
    std::string caption;
    std::string prompt;
    std::vector<std::string> items;
    std::size_t selected = 0;  // the item selected when the dialog opens
};

// One parameter of a settings file beside the camera's value, as the operator reads them.
struct ComparisonRow {
    std::string page;         // "User A"
    std::string name;         // the name the control has on its page
    std::string mnemonic;     // "GA"
    std::string cameraValue;  // a list item's text, else the number; "-" when not known
    std::string fileValue;
    bool differs = false;
};

// Where the camera differs from a settings file: the differing rows first.
struct ComparisonRequest {
    OperatorWindow* owner = nullptr;
    std::string summary;  // "The camera differs from day.cam in 2 of 26 parameters."
    std::vector<ComparisonRow> rows;
};

// The modal dialogs that flows open. rvtool shows its dialogs; programs without windows answer
// from their command line; the default cancels every choice and opens nothing.
class OperatorDialogs {
public:
    virtual ~OperatorDialogs() = default;
    // The text of the chosen item; empty when the operator cancelled.
    virtual std::optional<std::string> Choose(const ChoiceRequest& request) = 0;
    // The camera's identity: model, versions, camera id, user id; the help files.
    virtual void ShowAbout() = 0;
    virtual void EditCameraId() = 0;
    virtual void EditUserId() = 0;
    // Shows a comparison; true when the operator chose to load the differing lines. Without a
    // window to show it in, nothing is loaded.
    virtual bool ReviewComparison(const ComparisonRequest& request) {
        static_cast<void>(request);
        return false;
    }
    static std::unique_ptr<OperatorDialogs> CreateDefault(ProcessContext& context);
};
