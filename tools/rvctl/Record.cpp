#include "tools/rvctl/Record.h"

Record& Record::Value(const std::string& key, JsonValue value) {
    fields_[key] = std::move(value);
    return *this;
}

std::string Record::Json(const std::string& port) const {
    JsonValue object = JsonValue::object();
    if (!port.empty()) {
        object["port"] = port;
    }
    object.update(fields_);
    // The default handler throws on bytes that are not UTF-8; a camera may send any.
    return object.dump(-1, ' ', true, JsonValue::error_handler_t::replace);
}
