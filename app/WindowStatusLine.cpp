#include "app/WindowStatusLine.h"

#include <QString>

std::unique_ptr<WindowStatusLine> WindowStatusLine::CreateDefault(ProcessContext&) {
    return std::make_unique<WindowStatusLine>();
}

void WindowStatusLine::Attach(StatusLineBar* bar) {
    bar_ = bar;
    if (!bar_.isNull()) {
        bar_->ShowOutcome(QString::fromStdString(outcome_));
        bar_->ShowLink(QString::fromStdString(link_));
        bar_->ShowStorage(QString::fromStdString(storage_));
    }
}

void WindowStatusLine::ShowOutcome(const std::string& text) {
    outcome_ = text;
    if (!bar_.isNull()) {
        bar_->ShowOutcome(QString::fromStdString(text));
    }
}

void WindowStatusLine::ShowLink(const std::string& text) {
    link_ = text;
    if (!bar_.isNull()) {
        bar_->ShowLink(QString::fromStdString(text));
    }
}

void WindowStatusLine::ShowStorage(const std::string& text) {
    storage_ = text;
    if (!bar_.isNull()) {
        bar_->ShowStorage(QString::fromStdString(text));
    }
}
