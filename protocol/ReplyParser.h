#pragma once

#include <cstdint>
#include <string>

#include "protocol/CommandValue.h"

// One received protocol line taken apart.
struct ParsedReply {
    std::string rawLine;  // blanks, CR and LF removed, letter case as received
    std::string mnemonic;
    std::string separator;  // "=" or "?"
    std::string firstValue;
    std::string secondValue;  // after the first comma
    int32_t valueCount = 0;
    int32_t commandId = -1;
    int32_t decimals = 0;
    int32_t pairIndex = 0;  // the first value as a number, for pair replies only
    bool error = true;      // the line did not parse, or its mnemonic is not a known command
    CommandValue value;
};

// Parses "MN=value", "MN=a,b", "MN?" or "MN?value"; error is set when the line has neither "="
// nor "?" or its mnemonic is not a known command. Case-insensitive; blanks anywhere ignored.
ParsedReply ParseReply(const std::string& line);
