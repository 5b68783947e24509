#pragma once

#include <QSpinBox>
#include <cstdint>

// A numeric edit with its spin in one widget. The edit part takes any text the operator types;
// the spin part has a position inside its range and reads the edit when asked. Stepping does
// not move the spin: it asks, through stepRequested, and whoever answers sets the position.
// The two parts are enabled apart: a read-only edit beside a usable spin is a valid state.
// The mouse wheel steps it only while it has the keyboard focus.
class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit SpinEdit(QWidget* parent = nullptr);

    // The number the edit shows when it is a whole number inside the range (an empty text
    // counting as 0), else the last accepted position.
    int32_t Position() const;
    // Takes the position (limited to the range) and shows the number itself as "%d".
    void SetPosition(int32_t position);
    // Shows the text as it is; a whole number inside the range becomes the position too.
    void ShowText(const QString& text);
    // The edit's text as the operator sees it.
    QString EditText() const;

    // The spin's range. Named apart from QSpinBox's setRange, minimum and maximum, which keep
    // the spin's own value and would bypass the position.
    void SetPositionRange(int32_t minimum, int32_t maximum);
    int32_t PositionMinimum() const { return minimum_; }
    int32_t PositionMaximum() const { return maximum_; }

    void EnableEdit(bool enable);
    void EnableSpin(bool enable);
    bool IsEditEnabled() const { return editEnabled_; }
    bool IsSpinEnabled() const { return spinEnabled_; }

    void stepBy(int steps) override;

signals:
    void stepRequested(int steps);

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;
    QString textFromValue(int value) const override;
    void wheelEvent(QWheelEvent* event) override;
    StepEnabled stepEnabled() const override;

private:
    bool InRange(const QString& text, int32_t& number) const;
    void ApplyEnabledParts();

    int32_t minimum_ = 0;
    int32_t maximum_ = 0;
    int32_t position_ = 0;  // the last accepted position
    bool editEnabled_ = true;
    bool spinEnabled_ = true;
};
