#include "widgets/FileDialogChooser.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QStringList>
#include <QWidget>

#include "core/OperatorWindow.h"

namespace {

std::optional<std::string> Choose(const FileDialogRequest& request, bool save) {
    // rvtool's operator windows are widgets too.
    QWidget* owner = dynamic_cast<QWidget*>(request.owner);
    if (owner == nullptr) {
        owner = QApplication::activeWindow();
    }
    QFileDialog dialog(owner, QString(), QString::fromStdString(request.folder));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    // Replacing a file is asked by the flow that saves it, with its own words.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    QString filter = QString::fromStdString(request.filterName);
    const QString pattern = QString::fromStdString(request.filterPattern);
    if (!pattern.isEmpty() && !filter.contains(pattern)) {
        filter += QString(" (%1)").arg(pattern);
    }
    if (!filter.isEmpty()) {
        dialog.setNameFilter(filter);
    }
    const QString name = QString::fromStdString(request.fileName);
    if (!name.isEmpty() && !name.contains('*')) {
        dialog.selectFile(name);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(dialog.selectedFiles().first()).toStdString();
}

}  // namespace

std::optional<std::string> FileDialogChooser::ChooseFileToSave(const FileDialogRequest& request) {
    return Choose(request, true);
}

std::optional<std::string> FileDialogChooser::ChooseFileToOpen(const FileDialogRequest& request) {
    return Choose(request, false);
}
