// Bytes from the serial line through the line receiver, and every line it completes through
// the reply parser; the whole input is also parsed as one line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "protocol/CommandTable.h"
#include "protocol/LineReceiver.h"
#include "protocol/ReplyParser.h"

namespace {

void Parse(const std::string& line) {
    const ParsedReply reply = ParseReply(line);
    // A reply judged good names a command of the table.
    if (!reply.error && CommandTable::IdOf(reply.mnemonic) != reply.commandId) {
        abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LineReceiver receiver;
    for (size_t i = 0; i < size; ++i) {
        std::string line;
        if (receiver.Feed(static_cast<char>(data[i]), line) == LineReceiver::Result::Line) {
            Parse(line);
        }
    }
    Parse(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
