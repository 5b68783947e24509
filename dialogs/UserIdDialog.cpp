#include "dialogs/UserIdDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "operations/CameraIdentity.h"

UserIdDialog::UserIdDialog(ProcessContext& context, QWidget* parent)
    : StatusDialog(context, "User Id", parent), userId_(new QLineEdit(this)) {
    userId_->setObjectName("userIdEdit");
    userId_->setAccessibleName("User ID");
    userId_->setToolTip(
        "Your own name for this camera, up to 16 characters; Save stores it in "
        "the camera");
    if (CameraIdentity::MayEditUserId(context)) {
        userId_->setText(QString::fromStdString(CameraIdentity::ReadUserId(context)));
    } else {
        StayShut();
    }
    userId_->setMinimumWidth(userId_->fontMetrics().horizontalAdvance(QString(18, 'W')));
    auto* label = new QLabel("User ID", this);
    label->setBuddy(userId_);
    auto* save = new QPushButton("Save", this);
    save->setObjectName("saveUserId");
    save->setAutoDefault(false);
    auto* contents = new QHBoxLayout;
    contents->addWidget(label);
    contents->addWidget(userId_, 1);
    contents->addWidget(save);
    SetContents(contents);
    CloseOnEnter();
    connect(save, &QPushButton::clicked, this,
            [this] { CameraIdentity::SaveUserId(Context(), userId_->text().toStdString()); });
}
