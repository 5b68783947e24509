#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// One result as rvctl prints it: a line of text, or with --json one JSON object of named
// fields in the order they were added.
class Record {
public:
    explicit Record(std::string text) : text_(std::move(text)) {}

    Record& Text(const std::string& key, const std::string& value);
    Record& Number(const std::string& key, int64_t value);
    Record& Flag(const std::string& key, bool value);
    Record& Null(const std::string& key);
    // A value already written as JSON (an array or an object).
    Record& Raw(const std::string& key, std::string json);

    const std::string& Line() const { return text_; }
    // The object; a port, when given, comes first.
    std::string Json(const std::string& port = std::string()) const;
    // The fields alone as an object, for nesting in another record.
    std::string Object() const { return Json(); }

    // A JSON string: quotes, backslashes and control characters escaped, and bytes beyond ASCII
    // as the characters of those codes, so that the output is valid whatever the camera sent.
    static std::string Quote(const std::string& text);
    static std::string Array(const std::vector<std::string>& jsonValues);

private:
    std::string text_;
    std::vector<std::pair<std::string, std::string>> fields_;
};
