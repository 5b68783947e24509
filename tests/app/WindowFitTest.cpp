#include <gtest/gtest.h>

#include <unistd.h>

#include <QCoreApplication>
#include <QEvent>
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
#include "presenters/MainView.h"
#include "tests/support/TestContext.h"

namespace {

// A screen of RV_TEST_WIDTH x RV_TEST_HEIGHT pixels at the scale this program was built for
// (RV_TEST_SCALE), set up before main() makes the application, as an operator's display
// settings would be.
class ScaledScreen {
public:
    ScaledScreen() : path_("/tmp/rv-window-fit-" + std::to_string(getpid()) + ".json") {
        std::ofstream(path_) << R"({"screens": [{"name": "Display", "x": 0, "y": 0, )"
                             << R"("width": )" << RV_TEST_WIDTH << R"(, "height": )"
                             << RV_TEST_HEIGHT << R"(, "logicalDpi": 96}]})";
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + path_).c_str());
        qputenv("QT_SCALE_FACTOR", RV_TEST_SCALE);
    }
    ~ScaledScreen() { std::remove(path_.c_str()); }

private:
    std::string path_;
};
const ScaledScreen screen;

// Counts the times a window is brought forward.
class ZOrderCounter : public QObject {
public:
    explicit ZOrderCounter(int& count) : count_(count) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ZOrderChange) {
            ++count_;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    int& count_;
};

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
    ASSERT_EQ(available.width(), qRound(RV_TEST_WIDTH / std::stod(RV_TEST_SCALE)));
    EXPECT_TRUE(available.contains(window->frameGeometry()));
    for (int tab = 0; tab < window->TabControl()->count(); ++tab) {
        window->TabControl()->setCurrentIndex(tab);
        SCOPED_TRACE(window->TabControl()->tabText(tab).toStdString());
        QCoreApplication::processEvents();
        for (ParameterPage* page : window->Pages()) {
            if (page->isVisible()) {
                // Whole, however small the window: what does not fit is scrolled to.
                EXPECT_GE(page->height(), page->minimumSizeHint().height());
                EXPECT_GE(page->width(), page->minimumSizeHint().width());
                // Down only: no column hidden to the right behind a scroll bar.
                EXPECT_LE(page->width(), page->parentWidget()->width());
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
#ifdef RV_TEST_ROOM_BESIDE_THE_BOXES
    // The screen has room beside the page's boxes, if not beside the window: none is covered.
    const QWidget* page = window->Pages().front();
    ASSERT_TRUE(page->isVisible());
    for (const QWidget* box : page->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        const QRect onScreen(box->mapToGlobal(QPoint()), box->size());
        EXPECT_FALSE(dialog.intersects(onScreen)) << box->objectName().toStdString();
    }
#endif
}

TEST_F(WindowFitTest, TheCommunicationDialogStaysBehindAfterAReading) {
    Open();
    QCoreApplication::processEvents();
    // What a reading (Reload, Compare) does to the main window when it shows the values.
    int raised = 0;
    ZOrderCounter counter(raised);
    window->Communication()->installEventFilter(&counter);
    static_cast<MainView&>(*window).Activate();
    window->Communication()->removeEventFilter(&counter);
    EXPECT_EQ(raised, 0);
}

}  // namespace
