#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// One stored value as the platform store holds it: a 32-bit number or a text.
struct StoredValue {
    bool isDword = false;
    uint32_t dword = 0;
    std::string text;
};

// The per-user store of the named settings values: the registry key on Windows, a text file
// elsewhere. Every call is one complete access (open, one read or write, close); an access
// that finds the store missing creates it and then goes on with its read or write.
class ProcessContext;

class SettingsBackend {
public:
    virtual ~SettingsBackend() = default;
    static std::unique_ptr<SettingsBackend> CreateDefault(ProcessContext& context);
    virtual std::optional<StoredValue> Read(const std::string& name) = 0;
    virtual bool WriteDword(const std::string& name, uint32_t value) = 0;
    virtual bool WriteText(const std::string& name, const std::string& text) = 0;
};
