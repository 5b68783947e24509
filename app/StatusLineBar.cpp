#include "app/StatusLineBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QResizeEvent>
#include <algorithm>

#include "widgets/AccessibleNames.h"
#include "widgets/ElidingLabel.h"

StatusLineBar::StatusLineBar(QWidget* parent)
    : QWidget(parent),
      outcome_(new ElidingLabel(this)),
      link_(new ElidingLabel(this)),
      storage_(new QLabel(this)) {
    setObjectName("StatusLine");
    ShowsStatus(this);
    outcome_->setObjectName("StatusLineOutcome");
    link_->setObjectName("StatusLineLink");
    storage_->setObjectName("StatusLineStorage");
    // A warning, not an outcome: it stands out from the texts beside it.
    storage_->setStyleSheet("QLabel { font-weight: bold; color: #a05a00; }");
    storage_->hide();
    // The outcome takes what room the link leaves and asks for none of its own.
    outcome_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    link_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    row->addWidget(outcome_, 1);
    row->addWidget(storage_, 0);
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

void StatusLineBar::ShowStorage(const QString& text) {
    storage_->setText(text);
    storage_->setVisible(!text.isEmpty());
    ShareLine();
}

void StatusLineBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ShareLine();
}

void StatusLineBar::ShareLine() {
    int room = width() - layout()->spacing();
    if (!storage_->isHidden()) {
        room -= storage_->sizeHint().width() + layout()->spacing();
    }
    link_->setMaximumWidth(std::max(room / 2, room - outcome_->sizeHint().width()));
}
