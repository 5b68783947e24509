#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "app/MainWindow.h"
#include "app/WidgetServices.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/SimProcess.h"
#include "tests/support/TestContext.h"

namespace {

// Enter and Escape on the pages: what they do to the controls and that they never end the run.
class MainWindowKeysTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(camera.Start({"--no-pacing"}));
        com1 = std::make_unique<ScopedEnvironment>("RVTOOL_COM1", camera.DevicePath());
        window = std::make_unique<MainWindow>(test.Context());
        window->Initialise();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->ConnectAtStart();
    }

    template <class Widget>
    Widget* Named(const QString& name) {
        for (Widget* widget : window->findChildren<Widget*>()) {
            if (widget->accessibleName() == name) {
                return widget;
            }
        }
        ADD_FAILURE() << "no control named " << name.toStdString();
        return nullptr;
    }

    bool AskedToClose() {
        for (const MessageRequest& message : test.Notifier().Messages()) {
            if (message.caption == "Confirm") {
                return true;
            }
        }
        return false;
    }

    TestContext test{ProvideWidgetServices};
    SimProcess camera;
    std::unique_ptr<ScopedEnvironment> com1;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowKeysTest, EnterAndEscapeInAControlNeverCloseTheWindow) {
    auto* gain = Named<QAbstractSpinBox>("Gain Level");
    gain->setFocus();
    gain->findChild<QLineEdit*>()->selectAll();
    QTest::keyClicks(gain, "400");
    QTest::keyClick(gain, Qt::Key_Return);
    QTest::keyClick(gain, Qt::Key_Escape);

    auto* list = Named<QComboBox>("Test Pattern");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    QTest::keyClick(list, Qt::Key_Escape);

    auto* button = Named<QPushButton>("One-push");
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Return);
    QTest::keyClick(button, Qt::Key_Escape);

    EXPECT_FALSE(AskedToClose());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowKeysTest, EscapeInAnOpenListTakesTheHighlightedItem) {
    auto* list = Named<QComboBox>("Test Pattern");
    QSignalSpy chosen(list, &QComboBox::activated);
    list->setFocus();
    list->showPopup();
    QAbstractItemView* popup = list->view();
    popup->setCurrentIndex(list->model()->index(2, 0));
    QTest::keyClick(popup, Qt::Key_Escape);

    EXPECT_FALSE(popup->isVisible());
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toInt(), 2);
    EXPECT_EQ(list->currentText(), "Grey Pattern");
    EXPECT_FALSE(AskedToClose());
    EXPECT_TRUE(window->isVisible());
}

}  // namespace
