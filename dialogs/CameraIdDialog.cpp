#include "dialogs/CameraIdDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/ControlMode.h"
#include "core/ProcessContext.h"

CameraIdDialog::CameraIdDialog(ProcessContext& context, QWidget* parent)
    : StatusDialog(context, "Camera Id", 1065, parent) {
    const CameraIdentity::CameraIdCharacters id = CameraIdentity::ReadCameraId(context);
    const int ids[] = {1029, 1030, 1031, 1032, 1033, 1034, 1035, 1036, 1037, 1042};

    auto* contents = new QVBoxLayout;
    auto* group = new QGroupBox("Camera Id", this);
    auto* row = new QHBoxLayout(group);
    for (std::size_t i = 0; i < characters_.size(); ++i) {
        auto* edit = new QLineEdit(QString::fromStdString(id[i]), this);
        edit->setObjectName(QString::number(ids[i]));
        edit->setAccessibleName(QString("Camera Id character %1").arg(i + 1));
        edit->setMaxLength(1);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance("WW") + 10);
        edit->setAlignment(Qt::AlignCenter);
        characters_[i] = edit;
        row->addWidget(edit);
    }
    contents->addWidget(group);
    auto* save = new QPushButton("Save", this);
    save->setObjectName("1050");
    save->setAutoDefault(false);
    save->setVisible(context.Get<ControlMode>().IsFactory());
    contents->addWidget(save, 0, Qt::AlignRight);
    SetContents(contents);

    connect(save, &QPushButton::clicked, this, [this] {
        CameraIdentity::CameraIdCharacters edits;
        for (std::size_t i = 0; i < edits.size(); ++i) {
            edits[i] = characters_[i]->text().toStdString();
        }
        CameraIdentity::SaveCameraId(Context(), edits);
    });
}
