#include "app/ElidingLabel.h"

#include <QFontMetrics>
#include <QResizeEvent>

ElidingLabel::ElidingLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

void ElidingLabel::SetWholeText(const QString& text) {
    whole_ = text;
    setToolTip(text);
    updateGeometry();
    Fit();
}

QSize ElidingLabel::sizeHint() const {
    QSize hint = QLabel::sizeHint();
    const QMargins margins = contentsMargins();
    hint.setWidth(fontMetrics().horizontalAdvance(whole_) + margins.left() + margins.right() +
                  2 * margin());
    return hint;
}

QSize ElidingLabel::minimumSizeHint() const {
    return {0, QLabel::minimumSizeHint().height()};
}

void ElidingLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Fit();
}

void ElidingLabel::Fit() {
    setText(fontMetrics().elidedText(whole_, Qt::ElideRight, contentsRect().width()));
}
