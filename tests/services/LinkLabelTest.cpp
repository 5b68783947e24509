#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QImage>
#include <QTest>
#include <QUrl>
#include <QWidget>
#include <vector>

#include "widgets/LinkLabel.h"

// Takes the addresses the desktop would open for the test's own scheme.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher() { QDesktopServices::setUrlHandler("rvtest", this, "Open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler("rvtest"); }
    std::vector<QUrl> opened;

public slots:
    void Open(const QUrl& url) { opened.push_back(url); }
};

namespace {

// A window with a label over part of it; counts the clicks that reach the window itself.
class LabelWindow : public QWidget {
public:
    LabelWindow() : label(new LinkLabel("rvtest://camera/manual", this)) {
        resize(300, 100);
        label->setGeometry(10, 10, 200, 30);
    }
    LinkLabel* label;
    int clicksBelow = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++clicksBelow; }
};

int CountPixels(const QImage& image, QColor colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

TEST(LinkLabelTest, LeftClickOpensTheTextOnlyWhileTheLinkIsOn) {
    UrlCatcher catcher;
    LinkLabel label("rvtest://camera/manual");
    label.show();

    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_TRUE(catcher.opened.empty());

    label.SetLink(true);
    QTest::mouseClick(&label, Qt::RightButton);
    EXPECT_TRUE(catcher.opened.empty());
    QTest::mouseClick(&label, Qt::LeftButton);
    ASSERT_EQ(catcher.opened.size(), 1u);
    EXPECT_EQ(catcher.opened[0], QUrl("rvtest://camera/manual"));

    label.setText("rvtest://camera/changed");
    QTest::mouseClick(&label, Qt::LeftButton);
    ASSERT_EQ(catcher.opened.size(), 2u);
    EXPECT_EQ(catcher.opened[1], QUrl("rvtest://camera/changed"));

    label.SetLink(false);
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_EQ(catcher.opened.size(), 2u);
}

TEST(LinkLabelTest, ClickOnTheLabelReachesTheWindowBelowWhileTheLinkIsOff) {
    UrlCatcher catcher;
    LabelWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QPoint onLabel = window.label->geometry().center();

    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, onLabel);
    EXPECT_EQ(window.clicksBelow, 1);
    EXPECT_TRUE(catcher.opened.empty());

    window.label->SetLink(true);
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, onLabel);
    EXPECT_EQ(window.clicksBelow, 1);
    EXPECT_EQ(catcher.opened.size(), 1u);
}

TEST(LinkLabelTest, LinkCursorShowsOnlyWhileTheLinkIsOn) {
    LinkLabel label("text");
    label.SetLinkCursor(QCursor(Qt::PointingHandCursor));
    EXPECT_NE(label.cursor().shape(), Qt::PointingHandCursor);
    label.SetLink(true);
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
    label.SetLink(false);
    EXPECT_NE(label.cursor().shape(), Qt::PointingHandCursor);
}

TEST(LinkLabelTest, TextIsPaintedInTheLinkColourOnTheButtonFace) {
    LinkLabel label("MMMMMMMM");
    QFont big = label.font();
    big.setPixelSize(24);
    big.setBold(true);
    label.setFont(big);
    label.resize(200, 40);
    const QColor face = label.palette().color(QPalette::Button);
    const QColor link(0, 0, 255);

    label.SetLinkColor(link);
    const QImage painted = label.grab().toImage();
    EXPECT_GT(CountPixels(painted, link), 20);
    EXPECT_EQ(painted.pixelColor(199, 39), face);
}

}  // namespace

#include "LinkLabelTest.moc"
