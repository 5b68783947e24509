#include "tools/rvsim/ReplyShaper.h"

ReplyShaper::ReplyShaper(const FaultConfig& faults)
    : faults_(faults), random_(std::random_device{}()) {}

std::string ReplyShaper::RandomLine() {
    std::uniform_int_distribution<int> length(8, 40);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string line;
    for (int n = length(random_); n > 0;) {
        const char c = static_cast<char>(byte(random_));
        if (c != '\n' && c != '\r') {
            line += c;
            --n;
        }
    }
    return line;
}

ShapedAnswer ReplyShaper::Shape(std::string_view answer) {
    ShapedAnswer shaped;
    if (faults_.silent) {
        shaped.note = "silent: answer not sent";
        return shaped;
    }
    ++answered_;
    std::string line(answer);
    if (faults_.dropEvery > 0 && answered_ % faults_.dropEvery == 0) {
        shaped.note = "answer " + std::to_string(answered_) + " dropped";
        return shaped;
    }
    if (faults_.garbageEvery > 0 && answered_ % faults_.garbageEvery == 0) {
        line = RandomLine();
        shaped.note = "answer " + std::to_string(answered_) + " replaced by random bytes";
    }
    line += "\r\n";

    bool lfHeldBack = false;
    for (char c : line) {
        if (c == '\n' && faults_.noLfAfter >= 0 &&
            bytesSent_ >= static_cast<uint64_t>(faults_.noLfAfter)) {
            lfHeldBack = true;
            continue;
        }
        shaped.bytes += c;
        ++bytesSent_;
    }
    if (lfHeldBack) {
        shaped.bytes.append(kRunawayFiller, kFillerByte);
        bytesSent_ += kRunawayFiller;
        shaped.note +=
            std::string(shaped.note.empty() ? "" : "; ") + "LF held back, line runs on with filler";
    }
    return shaped;
}
