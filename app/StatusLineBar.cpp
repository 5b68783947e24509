#include "app/StatusLineBar.h"

#include <QLabel>
#include <QResizeEvent>
#include <algorithm>

#include "widgets/ElidingLabel.h"

StatusLineBar::StatusLineBar(QWidget* parent)
    : QStatusBar(parent),
      outcome_(new ElidingLabel(this)),
      link_(new ElidingLabel(this)),
      storage_(new QLabel(this)) {
    setObjectName("StatusLine");
    outcome_->setObjectName("StatusLineOutcome");
    link_->setObjectName("StatusLineLink");
    storage_->setObjectName("StatusLineStorage");
    // A warning, not an outcome: it stands out from the texts beside it.
    storage_->setStyleSheet("QLabel { font-weight: bold; color: #a05a00; }");
    storage_->hide();
    // The outcome takes what room the link leaves and asks for none of its own.
    outcome_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    link_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The gaps the texts keep between them.
    storage_->setContentsMargins(kGap, 0, 0, 0);
    link_->setContentsMargins(kGap, 0, 0, 0);
    setSizeGripEnabled(false);
    addWidget(outcome_, 1);
    addWidget(storage_, 0);
    addWidget(link_, 0);
}

void StatusLineBar::ShowOutcome(const QString& text) {
    outcome_->SetWholeText(text);
    ShareLine();
}

void StatusLineBar::ShowLink(const QString& text) {
    link_->SetWholeText(text);
    ShareLine();
}

void StatusLineBar::ShowStorage(const QString& text) {
    storage_->setText(text);
    storage_->setVisible(!text.isEmpty());
    ShareLine();
}

void StatusLineBar::resizeEvent(QResizeEvent* event) {
    QStatusBar::resizeEvent(event);
    ShareLine();
}

void StatusLineBar::ShareLine() {
    // From the outcome's left edge (after the picture) to the bar's right one.
    int room = contentsRect().right() + 1 - outcome_->x();
    if (!storage_->isHidden()) {
        room -= storage_->sizeHint().width();
    }
    link_->setMaximumWidth(std::max(room / 2, room - outcome_->sizeHint().width()));
}
