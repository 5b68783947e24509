#include "dialogs/AreaSelectDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "core/OperatorDialogs.h"
#include "widgets/AccessibleNames.h"

AreaSelectDialog::AreaSelectDialog(ProcessContext& context, const ChoiceRequest& request,
                                   QWidget* parent)
    : StatusDialog(context, QString::fromStdString(request.caption), parent),
      areas_(new QComboBox(this)) {
    InstallAccessibleNames();  // the list is heard by its name, not by its item
    auto* contents = new QVBoxLayout;
    auto* prompt = new QLabel(QString::fromStdString(request.prompt), this);
    prompt->setObjectName("areaPrompt");
    prompt->setBuddy(areas_);
    areas_->setObjectName("areaList");
    areas_->setAccessibleName("Flash memory area");
    areas_->setToolTip("The area of the camera's flash memory to use");
    for (const std::string& item : request.items) {
        areas_->addItem(QString::fromStdString(item));
    }
    areas_->setCurrentIndex(
        request.selected < request.items.size() ? static_cast<int>(request.selected) : 0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    contents->addWidget(prompt);
    contents->addWidget(areas_);
    contents->addSpacing(8);
    contents->addWidget(buttons);
    SetContents(contents);
}

QString AreaSelectDialog::ChosenItem() const {
    return areas_->currentText();
}
