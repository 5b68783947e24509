#pragma once

#include <QLabel>
#include <QPointer>
#include <memory>

class QLabel;
class StatusStrip;

// Second base of every dialog that shows the online-status strip: holds the dialog's status
// picture and is told when the camera starts or stops answering.
class OnlineStatusUpdater {
public:
    explicit OnlineStatusUpdater(QLabel* statusPicture = nullptr);
    virtual ~OnlineStatusUpdater();
    OnlineStatusUpdater(const OnlineStatusUpdater&) = delete;
    OnlineStatusUpdater& operator=(const OnlineStatusUpdater&) = delete;

    // 1 when the camera answers, 0 when it stops answering. Nothing to do here; a dialog that
    // shows more than the strip overrides it.
    virtual void OnOnlineStatus(int status);

    void SetStatusPicture(QLabel* statusPicture);
    // Null until bound and again once the picture's window is gone.
    QLabel* StatusPicture() const { return statusPicture_; }

private:
    friend class StatusStrip;

    QPointer<QLabel> statusPicture_;
    // Lets the strip skip an updater that was destroyed without unregistering, instead of
    // calling into a dead object.
    std::shared_ptr<int> lifetime_ = std::make_shared<int>(0);
};
