#include "widgets/WheelNeedsFocus.h"

#include <QEvent>
#include <QWidget>

void WheelNeedsFocus::Apply(QWidget* control) {
    control->setFocusPolicy(Qt::StrongFocus);
    control->installEventFilter(this);
}

bool WheelNeedsFocus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->hasFocus()) {
        return false;
    }
    // Ignored, the wheel goes on to the parents: the page's scroll area scrolls.
    event->ignore();
    return true;
}
