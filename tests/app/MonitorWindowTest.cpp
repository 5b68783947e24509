#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <memory>

#include "app/MainWindow.h"
#include "app/WidgetServices.h"
#include "dialogs/MonitorWindow.h"
#include "tests/support/FastWaitClock.h"
#include "tests/support/ScopedComPort.h"
#include "tests/support/SimProcess.h"
#include "tests/support/TestContext.h"
#include "widgets/StatusStrip.h"

namespace {

QAction* MenuItem(QMenuBar* bar, const QString& text) {
    for (QAction* menu : bar->actions()) {
        if (menu->menu() == nullptr) {
            continue;
        }
        for (QAction* item : menu->menu()->actions()) {
            if (item->text() == text) {
                return item;
            }
        }
    }
    return nullptr;
}

// Help > Monitor on the simulated camera: the first reading reaches the chart and the text.
TEST(MonitorWindowTest, AReadingOfTheCameraReachesTheChartAndTheText) {
    TestContext test{FastWaitClock::After(ProvideWidgetServices)};
    SimProcess camera;
    ASSERT_TRUE(camera.Start({"--no-pacing"}));
    const ScopedComPort com1(1, camera.DevicePath());
    MainWindow window(test.Context());
    window.Initialise();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.ConnectAtStart();
    ASSERT_TRUE(test.Context().Get<StatusStrip>().IsOnline());

    QAction* item = MenuItem(window.menuBar(), "&Monitor...");
    ASSERT_NE(item, nullptr);
    item->trigger();
    auto* monitor = window.findChild<MonitorWindow*>();
    ASSERT_NE(monitor, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(monitor));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !monitor->Chart()->Points().isEmpty(); }, 5000));
    // The simulated sensor is at 42 C when the camera has just started.
    const double degrees = monitor->Chart()->Points().back().y();
    EXPECT_GE(degrees, 42);
    EXPECT_LE(degrees, 48);
    EXPECT_TRUE(monitor->Latest()->text().startsWith(QString("Temperature %1 C at ").arg(degrees)))
        << monitor->Latest()->text().toStdString();
    // A second opening shows the same window, with its samples.
    item->trigger();
    EXPECT_EQ(window.findChildren<MonitorWindow*>().size(), 1);
}

}  // namespace
