#include "core/OneLine.h"

std::string OneLine(const std::string& text) {
    std::string line;
    bool inBreak = false;
    for (char c : text) {
        const bool isBreak = c == '\n' || c == '\r';
        if (!isBreak) {
            line += c;
        } else if (!inBreak) {
            line += ' ';
        }
        inBreak = isBreak;
    }
    return line;
}
