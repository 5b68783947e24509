#include "app/MessageBoxNotifier.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

MessageAnswer MessageBoxNotifier::Present(const MessageRequest& request) {
    const bool yesNo = request.buttons == MessageButtons::YesNo;
    QMessageBox box(ToQtIcon(request.icon), QString::fromStdString(request.caption),
                    QString::fromStdString(request.text),
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    const int answer = box.exec();
    if (!yesNo) {
        return MessageAnswer::Ok;
    }
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}
