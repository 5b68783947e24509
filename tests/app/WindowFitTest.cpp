#include <gtest/gtest.h>

#include <unistd.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "app/MainWindow.h"
#include "app/WidgetServices.h"
#include "core/ControlMode.h"
#include "dialogs/CommunicationDialog.h"
#include "tests/support/TestContext.h"

namespace {

// A screen of 1280 x 1024 pixels at the scale this program was built for (RV_TEST_SCALE), set
// up before main() makes the application, as an operator's display settings would be.
class ScaledScreen {
public:
    ScaledScreen() : path_("/tmp/rv-window-fit-" + std::to_string(getpid()) + ".json") {
        std::ofstream(path_) << R"({"screens": [{"name": "Display", "x": 0, "y": 0, )"
                             << R"("width": 1280, "height": 1024, "logicalDpi": 96}]})";
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + path_).c_str());
        qputenv("QT_SCALE_FACTOR", RV_TEST_SCALE);
    }
    ~ScaledScreen() { std::remove(path_.c_str()); }

private:
    std::string path_;
};
const ScaledScreen screen;

class WindowFitTest : public testing::Test {
protected:
    void Open() {
        test.Context().Get<ControlMode>().Set(1);  // all three pages
        window = std::make_unique<MainWindow>(test.Context());
        window->Initialise();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window->Communication()));
    }
    QRect Available() const { return QGuiApplication::primaryScreen()->availableGeometry(); }

    TestContext test{ProvideWidgetServices};
    std::unique_ptr<MainWindow> window;
};

TEST_F(WindowFitTest, TheWindowStaysOnTheScreenAndItsPagesScroll) {
    Open();
    const QRect available = Available();
    ASSERT_EQ(available.width(), qRound(1280 / std::stod(RV_TEST_SCALE)));
    EXPECT_TRUE(available.contains(window->frameGeometry()));
    for (int tab = 0; tab < window->TabControl()->count(); ++tab) {
        window->TabControl()->setCurrentIndex(tab);
        SCOPED_TRACE(window->TabControl()->tabText(tab).toStdString());
        for (ParameterPage* page : window->Pages()) {
            if (page->isVisible()) {
                // Whole, however small the window: what does not fit is scrolled to.
                EXPECT_GE(page->height(), page->minimumSizeHint().height());
                EXPECT_GE(page->width(), page->minimumSizeHint().width());
            }
        }
    }
}

TEST_F(WindowFitTest, TheCommunicationDialogOpensWhereItCanBeSeen) {
    Open();
    const QRect dialog = window->Communication()->frameGeometry();
    EXPECT_TRUE(Available().contains(dialog));
    if (dialog.intersects(window->frameGeometry())) {
        // Over the main window, it must stay above it.
        EXPECT_EQ(window->Communication()->parentWidget(), window.get());
    }
}

}  // namespace
