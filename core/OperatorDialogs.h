#pragma once

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
    std::vector<std::string> items;  // the first is selected when the dialog opens
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
    static std::unique_ptr<OperatorDialogs> CreateDefault(ProcessContext& context);
};
