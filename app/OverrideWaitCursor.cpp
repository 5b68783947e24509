#include "app/OverrideWaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

void OverrideWaitCursor::Show() {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void OverrideWaitCursor::Restore() {
    QGuiApplication::restoreOverrideCursor();
}
