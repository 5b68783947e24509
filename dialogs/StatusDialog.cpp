#include "dialogs/StatusDialog.h"

#include "widgets/SharedWindowRegistration.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/ProcessContext.h"

StatusDialog::StatusDialog(ProcessContext& context, const QString& caption, QWidget* parent)
    : QDialog(parent), context_(context), statusPicture_(new QLabel(this)) {
    setWindowTitle(caption);
    statusPicture_->setObjectName("statusPicture");
    SetStatusPicture(statusPicture_);
    auto* layout = new QVBoxLayout(this);
    // As large as the contents want, no larger: these dialogs hold a few fields each.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(statusPicture_);
    registration_ = std::make_unique<SharedWindowRegistration>(context_, this, this);
}

StatusDialog::~StatusDialog() = default;

int StatusDialog::exec() {
    return shut_ ? QDialog::Rejected : QDialog::exec();
}

void StatusDialog::setVisible(bool visible) {
    QDialog::setVisible(visible && !shut_);
}

void StatusDialog::SetContents(QLayout* contents) {
    static_cast<QVBoxLayout*>(layout())->insertLayout(0, contents);
}

void StatusDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (!closeOnEnter_ || !enter || !plain) {
        QDialog::keyPressEvent(event);
        return;
    }
    if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled()) {
        button->click();
        return;
    }
    accept();
}
