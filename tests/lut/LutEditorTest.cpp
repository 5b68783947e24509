#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>

#include "dialogs/LutEditor.h"
#include "files/LutChannel.h"
#include "tests/support/TestContext.h"

namespace {

// What the operator sees of the editor and what a drag on its graph does.
class LutEditorTest : public testing::Test {
protected:
    LutEditorTest() : editor(test.Context(), 1, nullptr) {
        editor.show();
        QApplication::processEvents();
    }
    QImage Graph() { return editor.Graph()->grab().toImage(); }
    // Whether the curve's green passes through graph pixel (x, y) or one beside it.
    bool Green(const QImage& image, int x, int y) {
        const QPoint origin = editor.Graph()->GraphOrigin();
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const QColor c = image.pixelColor(origin.x() + x + dx, origin.y() + y + dy);
                if (c.green() > 200 && c.red() < 100 && c.blue() < 100) {
                    return true;
                }
            }
        }
        return false;
    }
    void Drag(QPoint from, QPoint to) {
        const QPoint origin = editor.Graph()->GraphOrigin();
        for (QPoint p : {from, to}) {
            const QPointF local(p + origin);
            QMouseEvent move(QEvent::MouseMove, local, editor.Graph()->mapToGlobal(local),
                             Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(editor.Graph(), &move);
        }
        QApplication::processEvents();
    }

    TestContext test;
    LutEditor editor;
};

TEST_F(LutEditorTest, TheGraphShowsTheGreenLineAndADragBendsIt) {
    EXPECT_EQ(editor.findChild<QLabel*>("lutModeText")->text(), "Edit Mode");
    QImage image = Graph();
    // The default table: the diagonal from bottom left to top right.
    EXPECT_TRUE(Green(image, 128, 128));
    EXPECT_FALSE(Green(image, 128, 60));

    // Point 0 dragged up the left edge in two moves within reach of it.
    Drag(QPoint(10, 240), QPoint(10, 216));
    LutChannel& channel = test.Context().Get<LutTables>().Channel(1);
    ASSERT_EQ(channel.PointCount(), 2);
    EXPECT_EQ(channel.Point(0).x, 10);
    EXPECT_EQ(channel.Point(0).y, 216);
    image = Graph();
    EXPECT_FALSE(Green(image, 128, 128));
    const int y = 256 - static_cast<int>(channel.OutputLevel(128) / 16);
    EXPECT_TRUE(Green(image, 128, y));
}

}  // namespace
