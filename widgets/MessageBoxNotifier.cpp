#include "widgets/MessageBoxNotifier.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLayout>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>
#include <algorithm>

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

// The width a caption needs in a title bar. Window managers draw titles bold, often larger
// than the program's own text, beside the window's icon and its buttons; a box only as wide as
// its text cuts a long caption short ("Communi...tion Error").
int CaptionRoom(const QWidget& box) {
    QFont title = QApplication::font();
    title.setBold(true);
    if (title.pointSizeF() > 0) {
        title.setPointSizeF(title.pointSizeF() * 1.25);
    } else {
        title.setPixelSize(title.pixelSize() * 5 / 4);
    }
    const int titleBar = box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box);
    return QFontMetrics(title).horizontalAdvance(box.windowTitle()) + 5 * titleBar;
}

// A message box sizes itself by its text and buttons when it is shown, within limits of its
// own; this one then widens to its caption's room, as far as the screen allows.
class CaptionedMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        int room = CaptionRoom(*this);
        if (const QScreen* shown = screen()) {
            room = std::min(room, shown->availableGeometry().width() - 2 * FrameWidth());
        }
        if (room <= width()) {
            return;
        }
        const int height =
            layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(room) : this->height();
        setFixedSize(room, std::max(height, layout()->totalMinimumSize().height()));
    }

private:
    int FrameWidth() const { return std::max(0, frameGeometry().width() - width()) / 2; }
};

}  // namespace

MessageAnswer MessageBoxNotifier::Present(const MessageRequest& request) {
    const bool yesNo = request.buttons == MessageButtons::YesNo;
    CaptionedMessageBox box(ToQtIcon(request.icon), QString::fromStdString(request.caption),
                            QString::fromStdString(request.text),
                            yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                            QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    if (yesNo) {
        box.setDefaultButton(request.defaultAnswer == MessageAnswer::No ? QMessageBox::No
                                                                        : QMessageBox::Yes);
    }
    const int answer = box.exec();
    if (!yesNo) {
        return MessageAnswer::Ok;
    }
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}
