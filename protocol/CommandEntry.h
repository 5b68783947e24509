#pragma once

#include <cstdint>

// How a command's value travels on the wire.
enum ValueKind : int32_t {
    kIntegerValue = 0,  // decimal, replies also "&H" hexadecimal
    kDecimalValue = 1,  // fixed number of decimals, also kept scaled as an integer
    kTextValue = 2,     // sent and returned as text
};

struct CommandEntry {
    int32_t id;
    const char* mnemonic;
    int32_t reserved;
    int32_t kind;
    int32_t decimals;
};
