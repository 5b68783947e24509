#include "app/StatusLineBar.h"

#include <QHBoxLayout>
#include <QResizeEvent>
#include <algorithm>

#include "widgets/ElidingLabel.h"

StatusLineBar::StatusLineBar(QWidget* parent)
    : QWidget(parent), outcome_(new ElidingLabel(this)), link_(new ElidingLabel(this)) {
    setObjectName("StatusLine");
    outcome_->setObjectName("StatusLineOutcome");
    link_->setObjectName("StatusLineLink");
    // The outcome takes what room the link leaves and asks for none of its own.
    outcome_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    link_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    row->addWidget(outcome_, 1);
    row->addWidget(link_, 0);
}

void StatusLineBar::ShowOutcome(const QString& text) {
    outcome_->SetWholeText(text);
    ShareLine();
}

void StatusLineBar::ShowLink(const QString& text) {
    link_->SetWholeText(text);
    ShareLine();
}

void StatusLineBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ShareLine();
}

void StatusLineBar::ShareLine() {
    const int room = width() - layout()->spacing();
    link_->setMaximumWidth(std::max(room / 2, room - outcome_->sizeHint().width()));
}
