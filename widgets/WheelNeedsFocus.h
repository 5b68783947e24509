#pragma once

#include <QObject>

class QWidget;

// Keeps the mouse wheel away from a control that does not have the keyboard focus, so that
// rolling the wheel over a page scrolls the page and changes no value on the way. The control
// no longer takes the focus from the wheel either; a click or Tab gives it. Native lists and
// number fields behave so.
class WheelNeedsFocus : public QObject {
public:
    explicit WheelNeedsFocus(QObject* parent = nullptr) : QObject(parent) {}

    // Makes the control take the wheel only while it has the focus.
    void Apply(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
