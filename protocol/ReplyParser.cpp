#include "protocol/ReplyParser.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "core/LeadingNumber.h"
#include "protocol/CommandTable.h"

namespace {

std::string WithoutCharacter(const std::string& text, char unwanted) {
    std::string result;
    for (char c : text) {
        if (c != unwanted) {
            result += c;
        }
    }
    return result;
}

int32_t ClampToInt32(long long value) {
    if (value > INT32_MAX) {
        return INT32_MAX;
    }
    if (value < INT32_MIN) {
        return INT32_MIN;
    }
    return static_cast<int32_t>(value);
}

// Hexadecimal digits after "&H"; none give 0.
int32_t LeadingHexadecimal(const std::string& digits) {
    if (digits.empty() || !std::isxdigit(static_cast<unsigned char>(digits[0]))) {
        return 0;
    }
    const unsigned long long value = std::strtoull(digits.c_str(), nullptr, 16);
    // "&H" values are 32-bit words: FFFFFFFF is -1, as the camera means it.
    return static_cast<int32_t>(static_cast<uint32_t>(value > UINT32_MAX ? UINT32_MAX : value));
}

}  // namespace

ParsedReply ParseReply(const std::string& line) {
    ParsedReply reply;
    std::string text = WithoutCharacter(WithoutCharacter(WithoutCharacter(line, ' '), '\r'), '\n');
    reply.rawLine = text;
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }

    std::size_t separator = text.find('=');
    if (separator == std::string::npos) {
        separator = text.find('?');
    }
    if (separator == std::string::npos) {
        return reply;
    }
    reply.mnemonic = text.substr(0, separator);
    reply.separator = text.substr(separator, 1);
    const std::string rest = text.substr(separator + 1);

    if (reply.separator == "=") {
        const std::size_t comma = rest.find(',');
        if (comma == std::string::npos) {
            reply.firstValue = rest;
            reply.valueCount = 1;
        } else {
            reply.firstValue = rest.substr(0, comma);
            reply.secondValue = rest.substr(comma + 1);
            reply.pairIndex = LeadingNumber(reply.firstValue);
            reply.valueCount = 2;
        }
    } else if (!rest.empty()) {
        reply.firstValue = rest;
        reply.valueCount = 1;
    }

    reply.commandId = CommandTable::IdOf(reply.mnemonic);
    const CommandEntry* entry = CommandTable::Find(reply.commandId);
    if (entry == nullptr) {
        return reply;
    }
    reply.decimals = entry->decimals;
    reply.value.kind = entry->kind;
    switch (entry->kind) {
        case kIntegerValue:
            reply.value.integer = reply.firstValue.compare(0, 2, "&H") == 0
                                      ? LeadingHexadecimal(reply.firstValue.substr(2))
                                      : LeadingNumber(reply.firstValue);
            break;
        case kDecimalValue:
            reply.value.decimal = std::strtod(reply.firstValue.c_str(), nullptr);
            reply.value.integer = ClampToInt32(static_cast<long long>(
                std::trunc(reply.value.decimal * std::pow(10.0, reply.decimals))));
            break;
        default:
            reply.value.text = reply.firstValue;
            break;
    }
    reply.error = false;
    return reply;
}
