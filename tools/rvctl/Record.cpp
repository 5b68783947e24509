#include "tools/rvctl/Record.h"

#include <cstdio>

Record& Record::Text(const std::string& key, const std::string& value) {
    return Raw(key, Quote(value));
}

Record& Record::Number(const std::string& key, int64_t value) {
    return Raw(key, std::to_string(value));
}

Record& Record::Flag(const std::string& key, bool value) {
    return Raw(key, value ? "true" : "false");
}

Record& Record::Null(const std::string& key) {
    return Raw(key, "null");
}

Record& Record::Raw(const std::string& key, std::string json) {
    fields_.emplace_back(key, std::move(json));
    return *this;
}

std::string Record::Json(const std::string& port) const {
    std::string json = "{";
    if (!port.empty()) {
        json += Quote("port") + ":" + Quote(port);
    }
    for (const auto& [key, value] : fields_) {
        if (json.size() > 1) {
            json += ",";
        }
        json += Quote(key) + ":" + value;
    }
    return json + "}";
}

std::string Record::Quote(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (c == '\n') {
            quoted += "\\n";
        } else if (c == '\r') {
            quoted += "\\r";
        } else if (c == '\t') {
            quoted += "\\t";
        } else if (byte < 0x20 || byte >= 0x7f) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::string Record::Array(const std::vector<std::string>& jsonValues) {
    std::string json = "[";
    for (std::size_t i = 0; i < jsonValues.size(); ++i) {
        json += (i == 0 ? "" : ",") + jsonValues[i];
    }
    return json + "]";
}
