#pragma once

#include "dialogs/StatusDialog.h"

class QLineEdit;

// The camera's user id, a free text of up to 16 characters.
class UserIdDialog : public StatusDialog {
    Q_OBJECT
public:
    explicit UserIdDialog(ProcessContext& context, QWidget* parent = nullptr);

private:
    QLineEdit* userId_;
};
