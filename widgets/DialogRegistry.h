#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>
#include <vector>

#include "core/DialogEnabler.h"

class ProcessContext;

// The open dialogs, disabled and enabled together around long camera operations. Not owned:
// a dialog unregisters when it goes, and one destroyed without doing so is skipped.
class DialogRegistry : public DialogEnabler {
public:
    DialogRegistry() = default;

    // Hides the interface's quiet default, which the process context would otherwise use to
    // make this class.
    static std::unique_ptr<DialogRegistry> CreateDefault(ProcessContext& context);

    void Register(QWidget* dialog);
    // Removes every entry of the dialog; one that never registered is simply not found.
    void Unregister(QWidget* dialog);
    void EnableAll(bool enable) override;

private:
    std::vector<QPointer<QWidget>> dialogs_;
};
