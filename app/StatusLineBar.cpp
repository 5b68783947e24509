#include "app/StatusLineBar.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QResizeEvent>

StatusLineBar::StatusLineBar(QWidget* parent)
    : QWidget(parent), outcomeLabel_(new QLabel(this)), linkLabel_(new QLabel(this)) {
    setObjectName("StatusLine");
    outcomeLabel_->setObjectName("StatusLineOutcome");
    linkLabel_->setObjectName("StatusLineLink");
    // The outcome takes what room the link leaves and asks for none of its own.
    outcomeLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    outcomeLabel_->setMinimumWidth(0);
    outcomeLabel_->setTextFormat(Qt::PlainText);
    linkLabel_->setTextFormat(Qt::PlainText);
    linkLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    row->addWidget(outcomeLabel_, 1);
    row->addWidget(linkLabel_, 0);
}

void StatusLineBar::ShowOutcome(const QString& text) {
    outcome_ = text;
    outcomeLabel_->setToolTip(text);
    FitOutcome();
}

void StatusLineBar::ShowLink(const QString& text) {
    linkLabel_->setText(text);
    linkLabel_->setToolTip(text);
}

void StatusLineBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FitOutcome();
}

void StatusLineBar::FitOutcome() {
    // The layout has placed the labels by now: a resize reaches it before this widget.
    outcomeLabel_->setText(
        outcomeLabel_->fontMetrics().elidedText(outcome_, Qt::ElideRight, outcomeLabel_->width()));
}
