#pragma once

#include <QString>

#include "dialogs/StatusDialog.h"

class QComboBox;
struct ChoiceRequest;

// Asks which flash memory area to store to or load from.
class AreaSelectDialog : public StatusDialog {
    Q_OBJECT
public:
    AreaSelectDialog(ProcessContext& context, const ChoiceRequest& request,
                     QWidget* parent = nullptr);
    QString ChosenItem() const;

private:
    QComboBox* areas_;
};
