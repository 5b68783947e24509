#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>

// A JSON value whose objects keep their fields in the order they were added.
using JsonValue = nlohmann::ordered_json;

// One result as rvctl prints it: a line of text, or with --json one JSON object of named
// fields in the order they were added.
class Record {
public:
    explicit Record(std::string text) : text_(std::move(text)) {}

    Record& Text(const std::string& key, const std::string& value) { return Value(key, value); }
    Record& Number(const std::string& key, int64_t value) { return Value(key, value); }
    Record& Flag(const std::string& key, bool value) { return Value(key, value); }
    Record& Null(const std::string& key) { return Value(key, nullptr); }
    // Any value: an array, or another record's Fields() nested as an object.
    Record& Value(const std::string& key, JsonValue value);

    const std::string& Line() const { return text_; }
    const JsonValue& Fields() const { return fields_; }
    // The object as one line of JSON; a port, when given, comes first. Plain ASCII whatever the
    // camera sent: control characters and characters beyond ASCII are written as \u escapes,
    // and bytes that are not UTF-8 as U+FFFD.
    std::string Json(const std::string& port = std::string()) const;

private:
    std::string text_;
    JsonValue fields_ = JsonValue::object();
};
