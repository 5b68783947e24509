#include "protocol/LineReceiver.h"

#include <cstring>

LineReceiver::Result LineReceiver::Feed(char byte, std::string& line) {
    if (byte == '\n') {
        int length = writePosition_;
        // Only a CR is part of the line end: a line sent with LF alone keeps its last character.
        if (length > 0 && buffer_[length - 1] == '\r') {
            --length;
        }
        const void* zero = std::memchr(buffer_.data(), '\0', static_cast<std::size_t>(length));
        if (zero != nullptr) {
            length = static_cast<int>(static_cast<const char*>(zero) - buffer_.data());
        }
        line.assign(buffer_.data(), static_cast<std::size_t>(length));
        writePosition_ = 0;
        return Result::Line;
    }
    buffer_[writePosition_++] = byte;
    if (writePosition_ >= kBufferSize) {
        writePosition_ = 0;
        return Result::Overflow;
    }
    return Result::Pending;
}
