#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/FileChooser.h"

// Answers file dialogs from a script, in order (cancel when it is empty), and records what
// each dialog was asked.
class ScriptedFileChooser : public FileChooser {
public:
    void QueueAnswer(std::optional<std::string> path) { answers_.push_back(std::move(path)); }
    const std::vector<FileDialogRequest>& Requests() const { return requests_; }

    std::optional<std::string> ChooseFileToSave(const FileDialogRequest& request) override {
        return Answer(request);
    }
    std::optional<std::string> ChooseFileToOpen(const FileDialogRequest& request) override {
        return Answer(request);
    }

private:
    std::optional<std::string> Answer(const FileDialogRequest& request) {
        requests_.push_back(request);
        if (answers_.empty()) {
            return std::nullopt;
        }
        std::optional<std::string> answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

    std::deque<std::optional<std::string>> answers_;
    std::vector<FileDialogRequest> requests_;
};
