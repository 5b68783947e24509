#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <QTimer>

#include "app/WidgetServices.h"
#include "protocol/CommandEngine.h"
#include "protocol/CommandTable.h"
#include "tests/support/ScriptedCamera.h"
#include "tests/support/TestContext.h"
#include "transport/CameraPort.h"

namespace {

class PaintCounter : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        ++paints;
        QPainter(this).fillRect(rect(), Qt::white);
    }
};

TEST(WindowWaitFeedbackTest, WindowsRepaintButTakeNoInputWhileTheEngineWaits) {
    ScriptedCamera camera;  // never answers
    camera.BindTo(1);
    TestContext test{ProvideWidgetServices};
    ASSERT_TRUE(test.Context().Get<CameraPort>().Open(kComCategory, 9600, 0));
    PaintCounter window;
    QLineEdit edit(&window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    edit.setFocus();

    int paintsBefore = 0;
    bool waitCursorShown = false;
    QTimer::singleShot(500, &window, [&] {
        paintsBefore = window.paints;
        waitCursorShown = QGuiApplication::overrideCursor() != nullptr;
        window.update();
        QTest::keyClicks(&edit, "typed");
    });
    int32_t value = 0;
    EXPECT_FALSE(
        test.Context().Get<CommandEngine>().GetValue(CommandTable::IdOf("GA"), value, 1500));

    EXPECT_TRUE(waitCursorShown);
    EXPECT_GT(window.paints, paintsBefore);
    EXPECT_EQ(edit.text(), "");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    QTest::keyClicks(&edit, "after");
    EXPECT_EQ(edit.text(), "after");
}

}  // namespace
