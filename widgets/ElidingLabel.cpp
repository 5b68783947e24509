#include "widgets/ElidingLabel.h"

#include <QFontMetrics>
#include <QResizeEvent>

ElidingLabel::ElidingLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

void ElidingLabel::SetWholeText(const QString& text) {
    whole_ = text;
    setToolTip(text);
    setAccessibleName(text);
    updateGeometry();
    Fit();
}

QSize ElidingLabel::sizeHint() const {
    QSize hint = QLabel::sizeHint();
    const QMargins margins = contentsMargins();
    // A few pixels over the text's advance: the eliding rounds, and a text that just fits must
    // not lose its last word.
    constexpr int kRoundingSlack = 4;
    hint.setWidth(fontMetrics().horizontalAdvance(whole_) + margins.left() + margins.right() +
                  2 * margin() + kRoundingSlack);
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
