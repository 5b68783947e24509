#include "widgets/WindowWaitFeedback.h"

#include <QApplication>
#include <QCursor>

#include "widgets/OperatorInputBlocker.h"

WindowWaitFeedback::WindowWaitFeedback() = default;

WindowWaitFeedback::~WindowWaitFeedback() {
    if (blocker_) {
        EndWait();
    }
}

void WindowWaitFeedback::BeginWait() {
    if (blocker_) {
        return;  // already waiting
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    blocker_ = std::make_unique<OperatorInputBlocker>();
    QCoreApplication::instance()->installEventFilter(blocker_.get());
}

void WindowWaitFeedback::KeepAlive() {
    // Everything pending runs (painting above all); the blocker takes the operator's input.
    QCoreApplication::processEvents();
}

void WindowWaitFeedback::EndWait() {
    if (!blocker_) {
        return;
    }
    QCoreApplication::instance()->removeEventFilter(blocker_.get());
    blocker_.reset();
    QGuiApplication::restoreOverrideCursor();
}
