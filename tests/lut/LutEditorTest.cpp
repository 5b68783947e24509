#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

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

// The graph edits without a mouse: Tab reaches it and walks its points, the keys move the
// chosen one as a drag would, and the table follows.
TEST_F(LutEditorTest, TheKeyboardChoosesAPointAndMovesItAsADragDoes) {
    LutChannel& channel = test.Context().Get<LutTables>().Channel(1);
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    LutGraph* graph = editor.Graph();
    editor.findChild<QPushButton*>("clearTable")->setFocus();
    for (int presses = 0; presses < 20 && QApplication::focusWidget() != graph; ++presses) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    ASSERT_EQ(QApplication::focusWidget(), graph);
    EXPECT_EQ(graph->ChosenPoint(), 0);

    // Point 0 up by ten and one, right by one: where a drag to (1, 245) puts it.
    QTest::keyClick(graph, Qt::Key_PageUp);
    QTest::keyClick(graph, Qt::Key_Up);
    QTest::keyClick(graph, Qt::Key_Right);
    LutChannel dragged(1);
    dragged.OnMouseMove(1, 245, kMouseLeft);
    ASSERT_EQ(channel.PointCount(), 2);
    EXPECT_EQ(channel.Point(0).x, 1);
    EXPECT_EQ(channel.Point(0).y, 245);
    for (int entry : {0, 1, 64, 128}) {
        EXPECT_EQ(channel.OutputLevel(entry), dragged.OutputLevel(entry)) << entry;
    }
    EXPECT_GT(channel.OutputLevel(0), 0u);

    // Tab goes on to the end point; it stays inside the graph at the bottom edge.
    QTest::keyClick(graph, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), graph);
    EXPECT_EQ(graph->ChosenPoint(), 1);
    for (int i = 0; i < 30; ++i) {
        QTest::keyClick(graph, Qt::Key_PageDown);
    }
    EXPECT_EQ(channel.Point(1).x, 256);
    EXPECT_EQ(channel.Point(1).y, 256);
    EXPECT_EQ(channel.OutputLevel(255), 0u);

    // Past the last point, Tab leaves the graph.
    QTest::keyClick(graph, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), graph);
}

}  // namespace
