#include "widgets/DesktopDocumentOpener.h"

#include <QDesktopServices>
#include <QUrl>

bool DesktopDocumentOpener::Open(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}
