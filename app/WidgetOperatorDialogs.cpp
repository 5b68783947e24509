#include "app/WidgetOperatorDialogs.h"

#include <QApplication>

#include "core/OperatorWindow.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/AreaSelectDialog.h"
#include "dialogs/CameraIdDialog.h"
#include "dialogs/CompareDialog.h"
#include "dialogs/UserIdDialog.h"

namespace {

// The window a dialog belongs to: the one the flow names, else the active one.
QWidget* OwnerOf(OperatorWindow* owner) {
    if (auto* widget = dynamic_cast<QWidget*>(owner)) {
        return widget;
    }
    return QApplication::activeWindow();
}

template <class Dialog>
void RunModal(ProcessContext& context) {
    Dialog dialog(context, OwnerOf(nullptr));
    dialog.exec();
}

}  // namespace

std::optional<std::string> WidgetOperatorDialogs::Choose(const ChoiceRequest& request) {
    AreaSelectDialog dialog(context_, request, OwnerOf(request.owner));
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.ChosenItem().toStdString();
}

void WidgetOperatorDialogs::ShowAbout() {
    RunModal<AboutDialog>(context_);
}

void WidgetOperatorDialogs::EditCameraId() {
    RunModal<CameraIdDialog>(context_);
}

void WidgetOperatorDialogs::EditUserId() {
    RunModal<UserIdDialog>(context_);
}

bool WidgetOperatorDialogs::ReviewComparison(const ComparisonRequest& request) {
    CompareDialog dialog(request, OwnerOf(request.owner));
    return dialog.exec() == QDialog::Accepted;
}
