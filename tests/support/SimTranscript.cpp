#include "tests/support/SimTranscript.h"

#include <algorithm>
#include <fstream>
#include <sstream>

std::vector<TranscriptLine> ReadTranscript(const std::string& path) {
    std::vector<TranscriptLine> lines;
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        TranscriptLine entry;
        fields >> entry.seconds >> entry.tag;
        std::getline(fields >> std::ws, entry.text);
        if (entry.tag == "recv" || entry.tag == "sent") {
            lines.push_back(entry);
        }
    }
    return lines;
}

std::vector<std::string> ReceivedLines(const std::string& path) {
    std::vector<std::string> received;
    for (const TranscriptLine& line : ReadTranscript(path)) {
        if (line.tag == "recv") {
            received.push_back(line.text);
        }
    }
    return received;
}

std::vector<std::string> ReceivedSince(const std::string& path, std::size_t& seen) {
    const std::vector<std::string> all = ReceivedLines(path);
    const std::size_t from = std::min(seen, all.size());
    seen = all.size();
    return std::vector<std::string>(all.begin() + static_cast<long>(from), all.end());
}
