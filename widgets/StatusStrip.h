#pragma once

#include <QPixmap>
#include <memory>
#include <vector>

#include "core/OnlineStatusSink.h"

class OnlineStatusUpdater;
class ProcessContext;

// The online-status strip at the bottom of every dialog: one image, offline or online, copied
// into the status picture of every registered dialog. Starts offline.
class StatusStrip : public OnlineStatusSink {
public:
    StatusStrip();
    ~StatusStrip() override;
    StatusStrip(const StatusStrip&) = delete;
    StatusStrip& operator=(const StatusStrip&) = delete;

    // Hides the interface's quiet default, which the process context would otherwise use to
    // make this class.
    static std::unique_ptr<StatusStrip> CreateDefault(ProcessContext& context);

    // Shows the current image in the updater's picture at once and appends the updater.
    void Register(OnlineStatusUpdater* updater);
    // Removes every entry of the updater; one that never registered is simply not found.
    void Unregister(OnlineStatusUpdater* updater);
    // Switches the image in every registered picture, then tells those updaters.
    void SetOnline(bool online) override;

    bool IsOnline() const { return online_; }
    const QPixmap& CurrentBitmap() const { return current_; }
    static QPixmap OfflineBitmap();
    static QPixmap OnlineBitmap();

private:
    struct Entry {
        OnlineStatusUpdater* updater;
        std::weak_ptr<int> lifetime;
    };
    void ForgetDestroyed();
    bool IsRegistered(const OnlineStatusUpdater* updater) const;

    std::vector<Entry> updaters_;
    QPixmap current_;
    bool online_ = false;
};
