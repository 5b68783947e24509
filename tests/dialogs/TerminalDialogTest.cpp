#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <chrono>
#include <memory>

#include "app/MainWindow.h"
#include "app/WidgetServices.h"
#include "dialogs/LogView.h"
#include "dialogs/TerminalDialog.h"
#include "tests/dialogs/OpenTerminal.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/support/TestContext.h"
#include "transport/CameraPort.h"

namespace {

using std::chrono::milliseconds;

class TerminalDialogTest : public testing::Test {
protected:
    void Open() {
        camera.BindTo(1);
        window = std::make_unique<MainWindow>(test.Context());
        ASSERT_NO_FATAL_FAILURE(OpenTerminal(*window, test.Context(), terminal));
    }
    // The terminal's lines as shown, newest first.
    QStringList Shown() {
        QStringList lines;
        LogListModel* model = terminal->Log()->LogModel();
        for (int row = 0; row < model->rowCount(); ++row) {
            lines << model->index(row).data().toString();
        }
        return lines;
    }

    TestContext test{ProvideWidgetServices};
    PseudoTerminal camera;
    std::unique_ptr<MainWindow> window;
    TerminalDialog* terminal = nullptr;
};

TEST_F(TerminalDialogTest, LinesGoOutAsTypedWithCrLfAndTheTraceShowsBothWays) {
    Open();
    QLineEdit* edit = terminal->CommandEdit();
    QTest::keyClicks(edit, "GA=5");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(camera.Receive(6, milliseconds(2000)), "GA=5\r\n");
    EXPECT_EQ(edit->text(), "GA=5") << "the line stays for sending again";

    // The reply comes in through the engine's drain, unasked for by the terminal.
    camera.Send("COMPLETE\r\n");
    ASSERT_TRUE(QTest::qWaitFor([this] { return Shown().value(0).endsWith("Rx: COMPLETE"); }));

    edit->clear();
    QTest::mouseClick(terminal->findChild<QPushButton*>("sendButton"), Qt::LeftButton);
    EXPECT_EQ(camera.Receive(2, milliseconds(2000)), "\r\n");
    EXPECT_EQ(camera.ReceiveAvailable(milliseconds(100)), "") << "CR LF only";

    const QStringList shown = Shown();
    ASSERT_EQ(shown.size(), 3);
    const QRegularExpression stamped("^\\d\\d:\\d\\d:\\d\\d:\\d\\d\\d  (.*)$");
    EXPECT_EQ(stamped.match(shown[0]).captured(1), "Tx: ");
    EXPECT_EQ(stamped.match(shown[1]).captured(1), "Rx: COMPLETE");
    EXPECT_EQ(stamped.match(shown[2]).captured(1), "Tx: GA=5");
}

// A factory command typed in user mode stays in the terminal: the window's menus are no lock.
TEST_F(TerminalDialogTest, AFactoryCommandIsNotSentInUserMode) {
    Open();
    QLineEdit* edit = terminal->CommandEdit();
    QTest::keyClicks(edit, "SA00=0");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(camera.ReceiveAvailable(milliseconds(200)), "");
    EXPECT_EQ(test.Notifier().Texts(),
              std::vector<std::string>{
                  "SA00 is a factory function: switch to factory mode first. Nothing was sent."});
}

}  // namespace
