#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

class ProcessContext;

// The parameters whose value the camera holds but has not stored to a flash area: the camera
// loses them when it is switched off. Only what this program changed is known; the count starts
// at nothing, as the camera starts from a flash area. The status line shows whether any are
// left.
class UnstoredChanges {
public:
    explicit UnstoredChanges(ProcessContext& context) : context_(context) {}

    // What the status line shows while changes are not stored.
    static constexpr const char* kMark = "Not stored to flash";

    // The camera took a new value; before is the value it held, when known. A parameter set
    // back to the value it had at the last store counts as stored again.
    void Note(int32_t ctrlId, std::optional<int32_t> before, int32_t after);
    // The camera's settings were stored to an area or loaded from one.
    void Clear();
    // How many parameters changed since then.
    int Count() const { return static_cast<int>(stored_.size()); }
    // "3 parameters changed since the last store are not stored to flash."; empty when none.
    std::string Sentence() const;
    // Their mnemonics, in control table order: "GA, BL, TG".
    std::string Names() const;

private:
    void Show();

    ProcessContext& context_;
    // Each changed parameter with the value it had at the last store, when that was known.
    std::map<int32_t, std::optional<int32_t>> stored_;
};
