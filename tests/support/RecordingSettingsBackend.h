#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/SettingsBackend.h"

// Keeps the values in memory and records every write in order.
class RecordingSettingsBackend : public SettingsBackend {
public:
    std::optional<StoredValue> Read(const std::string& name) override {
        auto found = values_.find(name);
        return found == values_.end() ? std::nullopt : std::optional<StoredValue>(found->second);
    }
    bool WriteDword(const std::string& name, uint32_t value) override {
        writes.emplace_back(name, value);
        StoredValue stored;
        stored.isDword = true;
        stored.dword = value;
        values_[name] = stored;
        return true;
    }
    bool WriteText(const std::string& name, const std::string& text) override {
        StoredValue stored;
        stored.text = text;
        values_[name] = stored;
        return true;
    }
    std::vector<std::pair<std::string, uint32_t>> writes;

private:
    std::map<std::string, StoredValue> values_;
};
