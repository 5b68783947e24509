#include "tools/rvctl/CameraOutput.h"

#include "tools/rvctl/Console.h"
#include "tools/rvctl/PrintableText.h"

CameraOutput::CameraOutput(Console& console, std::string port, bool json, bool shared)
    : console_(console), port_(std::move(port)), json_(json), shared_(shared) {}

std::string CameraOutput::Prefixed(const std::string& text) const {
    if (!shared_ || port_.empty()) {
        return text;
    }
    std::string prefixed;
    std::size_t begin = 0;
    for (;;) {
        const std::size_t end = text.find('\n', begin);
        prefixed += port_ + ' ' + text.substr(begin, end - begin);
        if (end == std::string::npos) {
            return prefixed;
        }
        prefixed += '\n';
        begin = end + 1;
    }
}

void CameraOutput::Add(const Record& record) {
    std::string text = json_  ? record.Json(port_)
                       : raw_ ? Prefixed(record.Line())
                              : Prefixed(PrintableText(record.Line()));
    if (shared_) {
        held_.push_back(std::move(text));
    } else {
        console_.WriteResults(text);
    }
}

void CameraOutput::Message(const std::string& text) {
    const std::string shown = PrintableText(text);
    console_.WriteMessage(shared_ && !port_.empty() ? port_ + ": " + shown : shown);
}

void CameraOutput::Error(const std::string& text) {
    Error(text, Record(""));
}

void CameraOutput::Error(const std::string& text, Record record) {
    const std::string shown = PrintableText(text);
    console_.WriteError("rvctl: " + (port_.empty() ? shown : port_ + ": " + shown));
    if (json_) {
        Add(record.Text("error", text));
    }
}

void CameraOutput::Flush() {
    if (held_.empty()) {
        return;
    }
    std::string block;
    for (const std::string& text : held_) {
        block += (block.empty() ? "" : "\n") + text;
    }
    held_.clear();
    console_.WriteResults(block);
}
