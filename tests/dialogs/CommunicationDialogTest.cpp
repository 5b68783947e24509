#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/WidgetServices.h"
#include "core/ControlMode.h"
#include "dialogs/CommunicationDialog.h"
#include "dialogs/LogView.h"
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
        gainRead = gainRead || log->index(row).data().toString() == "GA?";
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

}  // namespace
