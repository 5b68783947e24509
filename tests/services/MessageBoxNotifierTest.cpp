#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <string>

#include "widgets/MessageBoxNotifier.h"

namespace {

// The width a message box needs for its caption: the caption in a title bar's font, bold and
// a quarter larger than the program's (as desktops draw titles), beside the title bar's icon
// and buttons.
int CaptionRoom(const QWidget& box) {
    QFont title = QApplication::font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.25);
    const int titleBar = box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box);
    return QFontMetrics(title).horizontalAdvance(box.windowTitle()) + 4 * titleBar;
}

// Shows the message and measures the box while it is open; then answers it.
int WidthOfBoxFor(const std::string& text, const std::string& caption) {
    int width = 0;
    int room = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        width = box->width();
        room = CaptionRoom(*box);
        box->button(QMessageBox::Ok)->click();
    });
    MessageBoxNotifier notifier;
    notifier.Show({text, caption, MessageIcon::Warning, MessageButtons::Ok});
    return width - room;
}

TEST(MessageBoxNotifierTest, ABoxIsWideEnoughForItsCaption) {
    EXPECT_GE(WidthOfBoxFor("Error: Refused", "Communication Error"), 0);
    EXPECT_GE(WidthOfBoxFor("Done.", "Recalibrate FFC (User)"), 0);
    EXPECT_GE(WidthOfBoxFor("Parameters are not stored.", "RV-2410/4820-TCL Control Tool"), 0);
}

// Enter answers a question with its default; one that would lose the operator's data has No.
TEST(MessageBoxNotifierTest, EnterAnswersAQuestionWithItsDefault) {
    MessageBoxNotifier notifier;
    for (const MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
        QTimer::singleShot(0, [] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            QTest::keyClick(box, Qt::Key_Return);
        });
        EXPECT_EQ(notifier.AskYesNo("Save?", "Question", answer), answer == MessageAnswer::Yes);
    }
}

}  // namespace
