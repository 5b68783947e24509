#include "tools/rvctl/ParameterArguments.h"

#include <cstdint>

#include "controls/ControlCatalog.h"
#include "controls/ControlDefinition.h"
#include "core/WholeNumber.h"

namespace ParameterArguments {

namespace {

// A value as typed on a command line: no blanks around it, which a shell would have split.
std::optional<int32_t> ValueNumber(const std::string& text) {
    if (text.find_first_of(" 	") != std::string::npos) {
        return std::nullopt;
    }
    const std::optional<int64_t> value = WholeNumber(text, INT32_MIN, INT32_MAX);
    return value ? std::optional<int32_t>(static_cast<int32_t>(*value)) : std::nullopt;
}

std::string Named(const CatalogEntry& entry) {
    return ControlCatalog::Mnemonic(entry) + " (" + entry.name + ", " + entry.page + ")";
}

}  // namespace

const CatalogEntry* Parameter(const std::string& mnemonic, int32_t controlMode,
                              std::string& error) {
    const CatalogEntry* entry = ControlCatalog::FindByMnemonic(mnemonic);
    if (entry == nullptr) {
        error = "unknown parameter \"" + mnemonic + "\"; 'rvctl list' shows them all";
        return nullptr;
    }
    const ControlDefinition& row = ControlCatalog::Definition(*entry);
    if (row.kind == kButtonControl) {
        error = Named(*entry) + " is a button, not a parameter";
        return nullptr;
    }
    if (row.paramClass == kFactoryParam && controlMode != 1) {
        error = Named(*entry) + " is a factory parameter: pass --factory";
        return nullptr;
    }
    return entry;
}

std::optional<Assignment> ParseAssignment(const std::string& text, int32_t controlMode,
                                          std::string& error) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos) {
        error = "\"" + text + "\" is no assignment: write MNEMONIC=VALUE";
        return std::nullopt;
    }
    const CatalogEntry* entry = Parameter(text.substr(0, equals), controlMode, error);
    if (entry == nullptr) {
        return std::nullopt;
    }
    const std::string valueText = text.substr(equals + 1);
    std::optional<int32_t> value;
    if (!entry->items.empty()) {
        const CatalogItem* item = ControlCatalog::FindItem(*entry, valueText);
        if (item == nullptr) {
            const std::optional<int32_t> number = ValueNumber(valueText);
            item = number ? ControlCatalog::FindItem(*entry, *number) : nullptr;
        }
        if (item != nullptr) {
            value = item->value;
        }
    } else {
        const ControlDefinition& row = ControlCatalog::Definition(*entry);
        value = ValueNumber(valueText);
        if (value && (*value < row.minValue || *value > row.maxValue)) {
            value.reset();
        }
    }
    if (!value) {
        error = text + ": " + Named(*entry) + " takes " + Accepted(*entry);
        return std::nullopt;
    }
    return Assignment{entry, *value};
}

bool InMode(const CatalogEntry& entry, int32_t controlMode, bool buttons) {
    const ControlDefinition& row = ControlCatalog::Definition(entry);
    return (buttons || row.kind != kButtonControl) &&
           (row.paramClass != kFactoryParam || controlMode == 1);
}

std::string Accepted(const CatalogEntry& entry) {
    return (entry.items.empty() ? "a whole number from " : "one of ") +
           ControlCatalog::Choices(entry);
}

std::string Kind(const CatalogEntry& entry) {
    switch (ControlCatalog::Definition(entry).kind) {
        case kListControl:
            return "list";
        case kSpinEditControl:
            return "number";
        default:
            return "button";
    }
}

}  // namespace ParameterArguments
