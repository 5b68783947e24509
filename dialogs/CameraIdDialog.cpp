#include "dialogs/CameraIdDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/ControlMode.h"
#include "core/ProcessContext.h"
#include "dialogs/CharacterBoxes.h"
#include "operations/CameraIdentity.h"

CameraIdDialog::CameraIdDialog(ProcessContext& context, QWidget* parent)
    : StatusDialog(context, "Camera Id", parent) {
    CameraIdentity::CameraIdCharacters id;
    if (CameraIdentity::MayEditCameraId(context)) {
        id = CameraIdentity::ReadCameraId(context);
    } else {
        StayShut();
    }

    auto* contents = new QVBoxLayout;
    auto* group = new QGroupBox("Camera Id", this);
    auto* row = new QHBoxLayout(group);
    characters_ = new CharacterBoxes("cameraIdCharacter", 10, group);
    for (std::size_t i = 0; i < characters_->Count(); ++i) {
        QLineEdit* box = characters_->Box(i);
        box->setText(QString::fromStdString(id[i]));
        box->setAccessibleName(QString("Camera Id character %1").arg(i + 1));
        box->setToolTip(QString("Character %1 of the camera's ten-character id").arg(i + 1));
    }
    row->addWidget(characters_);
    contents->addWidget(group);
    auto* save = new QPushButton("Save", this);
    save->setObjectName("saveCameraId");
    save->setAutoDefault(false);
    const bool factoryMode = context.Get<ControlMode>().IsFactory();
    save->setVisible(factoryMode);
    save->setEnabled(factoryMode);
    contents->addWidget(save, 0, Qt::AlignRight);
    SetContents(contents);
    CloseOnEnter();

    connect(save, &QPushButton::clicked, this, [this] {
        CameraIdentity::CameraIdCharacters edits;
        for (std::size_t i = 0; i < edits.size(); ++i) {
            edits[i] = characters_->Box(i)->text().toStdString();
        }
        CameraIdentity::SaveCameraId(Context(), edits);
    });
}
