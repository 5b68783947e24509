#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QWidget>
#include <vector>

#include "widgets/OnlineStatusUpdater.h"
#include "widgets/StatusStrip.h"

namespace {

// A dialog with a status picture that records what it is told.
class TestDialog : public QWidget, public OnlineStatusUpdater {
public:
    TestDialog() : picture(new QLabel(this)) { SetStatusPicture(picture); }
    void OnOnlineStatus(int status) override { told.push_back(status); }
    QImage Shown() const { return picture->pixmap().toImage(); }

    QLabel* picture;
    std::vector<int> told;
};

QImage Offline() {
    return StatusStrip::OfflineBitmap().toImage();
}
QImage Online() {
    return StatusStrip::OnlineBitmap().toImage();
}

TEST(StatusStripTest, DialogShowsTheCurrentImageFromItsRegistration) {
    ASSERT_FALSE(Offline().isNull());
    ASSERT_NE(Offline(), Online());
    StatusStrip strip;
    TestDialog openedOffline;
    strip.Register(&openedOffline);
    EXPECT_EQ(openedOffline.Shown(), Offline());

    strip.SetOnline(true);
    TestDialog openedOnline;
    strip.Register(&openedOnline);
    EXPECT_EQ(openedOnline.Shown(), Online());
    EXPECT_TRUE(openedOnline.told.empty());
}

TEST(StatusStripTest, SetOnlineSwitchesEveryPictureAndTellsEveryDialog) {
    StatusStrip strip;
    TestDialog first;
    TestDialog second;
    strip.Register(&first);
    strip.Register(&second);

    strip.SetOnline(true);
    EXPECT_EQ(first.Shown(), Online());
    EXPECT_EQ(second.Shown(), Online());
    strip.SetOnline(false);
    EXPECT_EQ(first.Shown(), Offline());
    EXPECT_EQ(second.Shown(), Offline());
    EXPECT_EQ(first.told, (std::vector<int>{1, 0}));
    EXPECT_EQ(second.told, (std::vector<int>{1, 0}));
}

TEST(StatusStripTest, UnregisterRemovesEveryEntryOfTheDialogAndNothingElse) {
    StatusStrip strip;
    TestDialog twice;
    TestDialog staying;
    TestDialog stranger;
    strip.Register(&twice);
    strip.Register(&staying);
    strip.Register(&twice);
    strip.Unregister(&twice);
    strip.Unregister(&stranger);

    strip.SetOnline(true);
    EXPECT_EQ(twice.Shown(), Offline());
    EXPECT_TRUE(twice.told.empty());
    EXPECT_TRUE(stranger.told.empty());
    EXPECT_EQ(staying.told, (std::vector<int>{1}));
}

TEST(StatusStripTest, DialogWhosePictureIsGoneIsNotTold) {
    StatusStrip strip;
    TestDialog withoutPicture;
    TestDialog withPicture;
    strip.Register(&withoutPicture);
    strip.Register(&withPicture);
    delete withoutPicture.picture;

    strip.SetOnline(true);
    EXPECT_TRUE(withoutPicture.told.empty());
    EXPECT_EQ(withPicture.told, (std::vector<int>{1}));
}

// Unregisters another dialog when told, as a dialog that closes another might.
class UnregisteringDialog : public TestDialog {
public:
    UnregisteringDialog(StatusStrip& strip, TestDialog& other) : strip_(strip), other_(other) {}
    void OnOnlineStatus(int status) override {
        TestDialog::OnOnlineStatus(status);
        strip_.Unregister(&other_);
    }

private:
    StatusStrip& strip_;
    TestDialog& other_;
};

TEST(StatusStripTest, DialogUnregisteredWhileTheOthersAreToldIsNotTold) {
    StatusStrip strip;
    TestDialog leaving;
    UnregisteringDialog first(strip, leaving);
    strip.Register(&first);
    strip.Register(&leaving);

    strip.SetOnline(true);
    EXPECT_EQ(first.told, (std::vector<int>{1}));
    EXPECT_TRUE(leaving.told.empty());
}

}  // namespace
