#include "widgets/DialogRegistry.h"

#include <algorithm>

std::unique_ptr<DialogRegistry> DialogRegistry::CreateDefault(ProcessContext&) {
    return std::make_unique<DialogRegistry>();
}

void DialogRegistry::Register(QWidget* dialog) {
    if (dialog != nullptr) {
        dialogs_.emplace_back(dialog);
    }
}

void DialogRegistry::Unregister(QWidget* dialog) {
    dialogs_.erase(std::remove_if(dialogs_.begin(), dialogs_.end(),
                                  [dialog](const QPointer<QWidget>& entry) {
                                      return entry.isNull() || entry.data() == dialog;
                                  }),
                   dialogs_.end());
}

void DialogRegistry::EnableAll(bool enable) {
    // A dialog may react to its state change by opening or closing another, so walk a copy.
    const std::vector<QPointer<QWidget>> dialogs = dialogs_;
    for (const QPointer<QWidget>& dialog : dialogs) {
        if (!dialog.isNull()) {
            dialog->setEnabled(enable);
        }
    }
}
