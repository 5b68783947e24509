#include "dialogs/StatusDialog.h"

#include "widgets/SharedWindowRegistration.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "core/ProcessContext.h"
#include "widgets/ContentScrollArea.h"
#include "widgets/ScreenRoom.h"

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
    if (visible && !shut_ && !isVisible()) {
        FitToScreen();
    }
    QDialog::setVisible(visible && !shut_);
}

void StatusDialog::FitToScreen() {
    // As large as the contents want where the screen holds that; where it does not, as large as
    // the screen, the contents scrolling.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    layout()->activate();
    QSize wanted = sizeHint();
    const QSize room = ScreenRoom::Room(this);
    if (!room.isValid() || (wanted.width() <= room.width() && wanted.height() <= room.height())) {
        return;
    }
    if (wanted.height() > room.height()) {
        // Room for the scroll bar beside the contents.
        wanted.rwidth() += style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    }
    layout()->setSizeConstraint(QLayout::SetMinimumSize);
    layout()->activate();
    setMaximumSize(wanted);
    resize(wanted.boundedTo(room));
}

void StatusDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred over its main window or put beside it, it could stand partly off a small screen.
    move(ScreenRoom::Keep(this, pos()));
}

void StatusDialog::SetContents(QLayout* contents) {
    auto* widget = new QWidget(this);
    widget->setLayout(contents);
    contents->setContentsMargins(0, 0, 0, 0);
    // What a small screen cannot hold scrolls; the status strip stays in sight.
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, new ContentScrollArea(widget, this), 1);
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
