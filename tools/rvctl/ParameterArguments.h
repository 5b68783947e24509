#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct CatalogEntry;

// The parameters named on rvctl's command line, checked against the catalog before anything is
// sent: each error names the parameter and what it takes.
namespace ParameterArguments {

// A parameter with a value (no button), of the control mode (factory parameters only in
// factory mode), by its mnemonic in any letter case.
const CatalogEntry* Parameter(const std::string& mnemonic, int32_t controlMode, std::string& error);

struct Assignment {
    const CatalogEntry* entry = nullptr;
    int32_t value = 0;
};

// "MN=VALUE": a number within the row's range, or one of a list's items by its text (in any
// letter case) or by its value.
std::optional<Assignment> ParseAssignment(const std::string& text, int32_t controlMode,
                                          std::string& error);

// Whether the row is shown in the control mode: factory parameters only in factory mode, buttons
// only when asked for.
bool InMode(const CatalogEntry& entry, int32_t controlMode, bool buttons);

// "a whole number from 100 to 1600", "one of 0 Internal, 1 External".
std::string Accepted(const CatalogEntry& entry);
// "list" or "number" (or "button" for a row without value).
std::string Kind(const CatalogEntry& entry);

}  // namespace ParameterArguments
