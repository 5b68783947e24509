#include "widgets/SpinEdit.h"

#include "core/WholeNumber.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <limits>

namespace {

// A whole decimal number and nothing else (blanks around it allowed); an empty text is 0.
bool WholeNumberOrEmpty(const QString& text, int32_t& number) {
    if (text.trimmed().isEmpty()) {
        number = 0;
        return true;
    }
    const std::optional<int64_t> value = WholeNumber(text.toStdString(), INT32_MIN, INT32_MAX);
    if (value) {
        number = static_cast<int32_t>(*value);
    }
    return value.has_value();
}

}  // namespace

SpinEdit::SpinEdit(QWidget* parent) : QSpinBox(parent) {
    // A number is taken when the operator commits it, never digit by digit.
    setKeyboardTracking(false);
    // The wheel neither gives it the focus nor steps it without: scrolling past changes nothing.
    setFocusPolicy(Qt::StrongFocus);
    // Qt's value follows whatever number is shown; the range limits only the position.
    QSpinBox::setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    setValue(0);
}

bool SpinEdit::InRange(const QString& text, int32_t& number) const {
    int32_t value = 0;
    if (!WholeNumberOrEmpty(text, value) || value < minimum_ || value > maximum_) {
        return false;
    }
    number = value;
    return true;
}

int32_t SpinEdit::Position() const {
    int32_t number = 0;
    return InRange(lineEdit()->text(), number) ? number : position_;
}

void SpinEdit::SetPosition(int32_t position) {
    position_ = qBound(minimum_, position, maximum_);
    const QSignalBlocker spinBlocker(this);
    const QSignalBlocker editBlocker(lineEdit());
    setValue(position);
    const QString text = QString::number(position);
    if (lineEdit()->text() != text) {
        lineEdit()->setText(text);
    }
    update();
}

void SpinEdit::ShowText(const QString& text) {
    int32_t number = 0;
    if (InRange(text, number)) {
        position_ = number;
    }
    const QSignalBlocker spinBlocker(this);
    const QSignalBlocker editBlocker(lineEdit());
    if (const std::optional<int64_t> shown =
            WholeNumber(text.toStdString(), INT32_MIN, INT32_MAX)) {
        setValue(static_cast<int>(*shown));
    }
    if (lineEdit()->text() != text) {
        lineEdit()->setText(text);
    }
    update();
}

QString SpinEdit::EditText() const {
    return lineEdit()->text();
}

void SpinEdit::SetPositionRange(int32_t minimum, int32_t maximum) {
    minimum_ = minimum;
    maximum_ = qMax(minimum, maximum);
    position_ = qBound(minimum_, position_, maximum_);
    update();
}

void SpinEdit::EnableEdit(bool enable) {
    editEnabled_ = enable;
    ApplyEnabledParts();
}

void SpinEdit::EnableSpin(bool enable) {
    spinEnabled_ = enable;
    ApplyEnabledParts();
}

void SpinEdit::ApplyEnabledParts() {
    setEnabled(editEnabled_ || spinEnabled_);
    lineEdit()->setReadOnly(!editEnabled_);
    if (editEnabled_ || !spinEnabled_) {
        setPalette(QPalette());  // the colours of its parent again
        return;
    }
    // The edit cannot be typed into while the spin still steps: grey the text field only.
    QPalette greyed = QApplication::palette(this);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        greyed.setColor(group, QPalette::Base, greyed.color(QPalette::Disabled, QPalette::Window));
        greyed.setColor(group, QPalette::Text, greyed.color(QPalette::Disabled, QPalette::Text));
    }
    setPalette(greyed);
}

void SpinEdit::stepBy(int steps) {
    // The position moves only when whoever handles the step sets it.
    if (spinEnabled_) {
        emit stepRequested(steps);
    }
}

QValidator::State SpinEdit::validate(QString&, int&) const {
    // The operator may type anything; what is not a number in range is never taken.
    return QValidator::Acceptable;
}

int SpinEdit::valueFromText(const QString& text) const {
    // A text that is no number in range leaves Qt's value alone, so that a commit or a focus
    // loss does not turn it into a number nobody typed.
    int32_t number = 0;
    return InRange(text, number) ? number : value();
}

QString SpinEdit::textFromValue(int value) const {
    // Qt writes its value back into the edit after each commit: a text that stands for no
    // number ("-" for a value the camera did not tell, or what the operator typed) stays until
    // whoever handles the commit shows another.
    int32_t number = 0;
    if (value == this->value() && !InRange(lineEdit()->text(), number)) {
        return lineEdit()->text();
    }
    return QString::number(value);
}

void SpinEdit::wheelEvent(QWheelEvent* event) {
    if (!hasFocus()) {
        event->ignore();  // for the parents: the page scrolls
        return;
    }
    QSpinBox::wheelEvent(event);
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const {
    if (!spinEnabled_) {
        return StepNone;
    }
    const int32_t position = Position();
    StepEnabled enabled = StepNone;
    if (position < maximum_) {
        enabled |= StepUpEnabled;
    }
    if (position > minimum_) {
        enabled |= StepDownEnabled;
    }
    return enabled;
}
