#pragma once

#include "protocol/CommandTable.h"

// Ids of the commands that operations send by name, resolved from the table at compile time.
namespace CommandIds {

constexpr int Of(std::string_view mnemonic) {
    return CommandTable::IdOf(mnemonic);
}

inline constexpr int kMD = Of("MD");
inline constexpr int kEA = Of("EA");

static_assert(kMD == 8 && kEA == 65, "command table and its named ids disagree");

}  // namespace CommandIds
