#include "tools/rvctl/TerminalProgress.h"

#include <algorithm>
#include <cstdio>

#include "tools/rvctl/Console.h"

namespace {
constexpr int kBarWidth = 20;
}  // namespace

std::string TerminalProgress::Bar(const std::string& message, int percent) {
    percent = std::clamp(percent, 0, 100);
    const int filled = percent * kBarWidth / 100;
    char tail[8];
    std::snprintf(tail, sizeof tail, "] %3d%%", percent);
    return message + " [" + std::string(static_cast<std::size_t>(filled), '#') +
           std::string(static_cast<std::size_t>(kBarWidth - filled), ' ') + tail;
}

void TerminalProgress::ShowProgress(OperatorWindow*, const std::string& message) {
    shown_ = true;
    message_ = message;
    percent_ = 0;
    Draw();
}

void TerminalProgress::SetProgressMessage(const std::string& message) {
    message_ = message;
    if (shown_) {
        Draw();
    }
}

void TerminalProgress::SetProgress(int percent) {
    if (shown_ && percent != percent_) {
        percent_ = percent;
        Draw();
    }
}

void TerminalProgress::EndProgress() {
    if (!shown_) {
        return;
    }
    percent_ = 100;
    Draw();
    CloseLine();
}

void TerminalProgress::StopProgress() {
    if (shown_) {
        CloseLine();
    }
}

void TerminalProgress::CloseLine() {
    console_.EndProgress();
    shown_ = false;
}

void TerminalProgress::Draw() {
    console_.DrawProgress(Bar(message_, percent_));
}
