#pragma once

#include <QLabel>
#include <QString>

class QResizeEvent;

// A one-line label that shows as much of its text as its width holds, cut short with an
// ellipsis, and the whole text as its tooltip. It asks for room for the whole text but makes
// do with any width, so that a long text never widens its window.
class ElidingLabel : public QLabel {
public:
    explicit ElidingLabel(QWidget* parent = nullptr);

    void SetWholeText(const QString& text);
    const QString& WholeText() const { return whole_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Fit();

    QString whole_;
};
