#include "widgets/OperatorInputBlocker.h"

#include <QApplication>
#include <QEvent>
#include <algorithm>

OperatorInputBlocker::OperatorInputBlocker() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->property(kTakesInputWhileBusy).toBool()) {
            blocked_.emplace_back(window);
        }
    }
}

bool OperatorInputBlocker::IsBlocked(const QWidget* window) const {
    return std::any_of(blocked_.begin(), blocked_.end(),
                       [window](const QPointer<QWidget>& blocked) { return blocked == window; });
}

bool OperatorInputBlocker::eventFilter(QObject* receiver, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (widget == nullptr || !IsBlocked(widget->window())) {
        return false;
    }
    switch (event->type()) {
        case QEvent::Close:
            // The program's own closes go on; the window system's close box does not.
            return event->spontaneous();
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonRelease:
        case QEvent::NonClientAreaMouseButtonDblClick:
        case QEvent::NonClientAreaMouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TouchCancel:
        case QEvent::TabletPress:
        case QEvent::TabletMove:
        case QEvent::TabletRelease:
            return true;
        default:
            return false;
    }
}
