#pragma once

#include <memory>

#include "core/SettingsBackend.h"

class ProcessContext;

// The window's settings as rvctl sees them: every value is read from the window's store, and
// nothing is written, so the exit-time saves of the link and the mode go nowhere and the
// window's next start finds what it left. A missing store stays missing.
class ReadOnlySettingsBackend : public SettingsBackend {
public:
    // The store the window uses; none where it does not exist yet.
    static std::unique_ptr<SettingsBackend> OfTheWindow(ProcessContext& context);

    explicit ReadOnlySettingsBackend(std::unique_ptr<SettingsBackend> store)
        : store_(std::move(store)) {}

    std::optional<StoredValue> Read(const std::string& name) override;
    bool WriteDword(const std::string&, uint32_t) override { return false; }
    bool WriteText(const std::string&, const std::string&) override { return false; }

private:
    std::unique_ptr<SettingsBackend> store_;
};
