#pragma once

#include <array>

#include "dialogs/StatusDialog.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The tool's name and version, the connected camera's identity (read each time it opens), the
// user id and (in factory mode) device version writes, and the help files beside the tool.
class AboutDialog : public StatusDialog {
    Q_OBJECT
public:
    explicit AboutDialog(ProcessContext& context, QWidget* parent = nullptr);

private:
    void ProtectUserId(bool protect);

    QLineEdit* userId_;
    QPushButton* saveUserId_;
    QRadioButton* protect_;
    QRadioButton* enableEdit_;
    std::array<QLineEdit*, 4> deviceVersion_{};
    QComboBox* helpFiles_;
};
