#pragma once

#include <string>
#include <vector>

// One line of rvsim's --transcript: what the camera received ("recv") or sent ("sent"), and
// when, in seconds since rvsim started.
struct TranscriptLine {
    double seconds = 0;
    std::string tag;
    std::string text;
};

// The lines the camera received and sent, in order; its notes are left out.
std::vector<TranscriptLine> ReadTranscript(const std::string& path);
// Only what the camera received, in order.
std::vector<std::string> ReceivedLines(const std::string& path);
// What the camera received after the first seen lines; seen then counts them all.
std::vector<std::string> ReceivedSince(const std::string& path, std::size_t& seen);
