#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/WidgetServices.h"
#include "core/ControlMode.h"
#include "dialogs/CommunicationDialog.h"
#include "dialogs/LogView.h"
#include "operations/MessageLog.h"
#include "tests/support/FastWaitClock.h"
#include "tests/support/ScopedComPort.h"
#include "tests/support/SimProcess.h"
#include "tests/support/TestContext.h"
#include "transport/CameraPort.h"

namespace {

// The communication dialog as the main window shows it at start-up, driven as an operator
// drives it.
class CommunicationDialogTest : public testing::Test {
protected:
    void Open() {
        window = std::make_unique<MainWindow>(test.Context());
        window->Initialise();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        dialog = window->Communication();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    }
    template <class Widget>
    Widget* Control(const char* name) {
        return dialog->findChild<Widget*>(name);
    }
    // Opens the list, highlights the item and takes it with Enter.
    void Choose(QComboBox* list, const QString& item) {
        list->showPopup();
        QAbstractItemView* popup = list->view();
        popup->setCurrentIndex(list->model()->index(list->findText(item), 0));
        QTest::keyClick(popup, Qt::Key_Return);
    }
    // COM<n> opens a file that does not exist.
    void Unplug(int number) {
        unplugged.push_back(std::make_unique<ScopedComPort>(number, test.Folder().File("none")));
    }

    TestContext test{FastWaitClock::After(ProvideWidgetServices)};
    std::vector<std::unique_ptr<ScopedComPort>> unplugged;
    std::unique_ptr<MainWindow> window;
    CommunicationDialog* dialog = nullptr;
};

TEST_F(CommunicationDialogTest, TheFactoryAreaAndTheBaudRateAreForFactoryModeOnly) {
    Open();
    auto* areas = Control<QComboBox>("areaList");
    auto* store = Control<QPushButton>("storeButton");
    EXPECT_EQ(areas->currentText(), "User 1 Data");
    EXPECT_TRUE(store->isEnabled());
    EXPECT_FALSE(Control<QComboBox>("baudList")->isVisible());
    EXPECT_FALSE(Control<QLabel>("baudLabel")->isVisible());

    Choose(areas, "Factory Data");
    EXPECT_FALSE(store->isEnabled());
    Choose(areas, "User 3 Data");
    EXPECT_TRUE(store->isEnabled());

    Choose(areas, "Factory Data");
    test.Context().Get<ControlMode>().Toggle();
    window->Logic().UpdateModeView();
    EXPECT_TRUE(store->isEnabled());
    EXPECT_TRUE(Control<QComboBox>("baudList")->isVisible());
    EXPECT_TRUE(Control<QComboBox>("baudList")->isEnabled());
    EXPECT_TRUE(Control<QLabel>("baudLabel")->isVisible());
}

TEST_F(CommunicationDialogTest, AutoFindsTheCameraOnCom3AndShowsItOnline) {
    SimProcess camera;
    ASSERT_TRUE(camera.Start({"--no-pacing"}));
    Unplug(1);
    Unplug(2);
    ScopedComPort com3(3, camera.DevicePath());
    Open();
    EXPECT_EQ(Control<QLabel>("lineText")->text(), "Offline");

    QTest::mouseClick(Control<QPushButton>("autoButton"), Qt::LeftButton);
    auto* ports = Control<QComboBox>("portList");
    EXPECT_EQ(ports->currentIndex(), 2);
    EXPECT_EQ(ports->currentData().toString(), "COM3");
#ifndef _WIN32
    EXPECT_TRUE(ports->currentText().contains(QString::fromStdString(camera.DevicePath())))
        << "the device is shown beside the port's name";
#endif
    EXPECT_EQ(Control<QLabel>("lineText")->text(), "Online");
    // The pages were read again: the settings queries are in the message log.
    LogListModel* log = Control<LogView>("messageLog")->LogModel();
    bool gainRead = false;
    for (int row = 0; row < log->rowCount(); ++row) {
        gainRead = gainRead || log->index(row).data().toString().endsWith("  GA?");
    }
    EXPECT_TRUE(gainRead);
    EXPECT_TRUE(test.Notifier().Texts().empty()) << "COM1 and COM2 are logged, not shown";
}

#ifndef _WIN32
// A port the list does not hold (a by-id name, a device server) is typed into Other Port: it
// opens, joins the list as the port in use and is the link of the next start; a malformed
// network name is told what is wrong with it and changes nothing.
TEST_F(CommunicationDialogTest, APortTypedByItsNameOpensJoinsTheListAndIsKept) {
    const std::string byId = test.Folder().File("usb-Maker_Adapter_A1-if00-port0");
    SimProcess camera;
    ASSERT_TRUE(camera.Start({"--link", byId, "--no-pacing"}));
    Unplug(1);
    Open();
    auto* name = Control<QLineEdit>("portNameEdit");
    const auto type = [name](const std::string& text) {
        name->clear();
        QTest::keyClicks(name, QString::fromStdString(text));
        QTest::keyClick(name, Qt::Key_Return);
    };
    type("rfc2217://camera-server");
    EXPECT_EQ(test.Notifier().Texts(),
              std::vector<std::string>{"rfc2217://camera-server: no port after the host; write "
                                       "HOST:PORT"});
    EXPECT_EQ(Control<QLabel>("lineText")->text(), "Offline");

    type(byId);
    auto* ports = Control<QComboBox>("portList");
    EXPECT_EQ(ports->currentData().toString(), QString::fromStdString(byId));
    EXPECT_EQ(Control<QLabel>("lineText")->text(), "Online");
    window.reset();
    test.Restart();
    EXPECT_EQ(test.Context().Get<CameraPort>().CurrentPortName(), byId);
}
#endif

TEST_F(CommunicationDialogTest, EnterPressesNoButton) {
    // Were Enter to press "Auto", each port would report that it cannot be opened.
    for (int number = 1; number <= 16; ++number) {
        Unplug(number);
    }
    Open();
    test.Notifier().Clear();
    // Closed and opened again from the Help menu.
    dialog->close();
    window->ShowCommunicationDialog();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    for (const char* name : {"categoryList", "portList", "areaList"}) {
        auto* list = Control<QComboBox>(name);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
    }
    EXPECT_TRUE(test.Notifier().Messages().empty());
    EXPECT_TRUE(dialog->isVisible());
}

// The message log reads as logs do: oldest line at the top, stamped, the newest line kept in
// sight as lines come unless the reader scrolled up to read, and reached and scrolled with the
// keyboard.
TEST_F(CommunicationDialogTest, TheMessageLogReadsDownwardsFollowsTheNewestAndScrollsByKeys) {
    for (int number = 1; number <= 16; ++number) {
        Unplug(number);
    }
    Open();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    MessageLog& messages = test.Context().Get<MessageLog>();
    for (int i = 1; i <= 5000; ++i) {
        messages.Add("line " + std::to_string(i));
    }
    auto* view = Control<LogView>("messageLog");
    LogListModel* model = view->LogModel();
    QScrollBar* bar = view->verticalScrollBar();
    view->Sync();
    QApplication::processEvents();
    ASSERT_EQ(model->rowCount(), 4096);
    const QString newest = model->index(4095).data().toString();
    EXPECT_TRUE(
        QRegularExpression("^\\d\\d:\\d\\d:\\d\\d\\.\\d{3}  line 5000$").match(newest).hasMatch())
        << newest.toStdString();
    EXPECT_TRUE(model->index(0).data().toString().endsWith("  line 905"));
    ASSERT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum()) << "the newest line is in sight";

    // Tab reaches the log.
    Control<QPushButton>("autoButton")->setFocus();
    for (int presses = 0; presses < 40 && QApplication::focusWidget() != view; ++presses) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    ASSERT_EQ(QApplication::focusWidget(), view);

    // The reader pages up; new lines push out old ones above him, and what he reads stays.
    QTest::keyClick(view, Qt::Key_PageUp);
    QTest::keyClick(view, Qt::Key_Up);
    ASSERT_LT(bar->value(), bar->maximum());
    const QString read = view->indexAt(QPoint(2, 2)).data().toString();
    for (int i = 5001; i <= 5010; ++i) {
        messages.Add("line " + std::to_string(i));
    }
    view->Sync();
    QApplication::processEvents();
    EXPECT_EQ(view->indexAt(QPoint(2, 2)).data().toString(), read);
    EXPECT_LT(bar->value(), bar->maximum());

    // End goes back to the newest line, and the view follows it again.
    QTest::keyClick(view, Qt::Key_End);
    messages.Add("line 5011");
    view->Sync();
    QApplication::processEvents();
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_TRUE(model->index(4095).data().toString().endsWith("  line 5011"));
    EXPECT_TRUE(view->visualRect(model->index(4095)).intersects(view->viewport()->rect()));

    // The dialog re-laid out (docked, floated) shrinks the log: the newest line stays in sight.
    view->resize(view->width(), view->height() / 2);
    QApplication::processEvents();
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_TRUE(view->visualRect(model->index(4095)).intersects(view->viewport()->rect()));
}

}  // namespace
