#include "widgets/StatusStrip.h"

#include <QLabel>
#include <algorithm>

#include "resources/Resources.h"
#include "widgets/AccessibleNames.h"
#include "widgets/OnlineStatusUpdater.h"

namespace {
// Bitmaps 302 and 303 of the dialog templates.
const char kOfflineBitmap[] = ":/bitmaps/offline.png";
const char kOnlineBitmap[] = ":/bitmaps/online.png";

void Show(QLabel* picture, const QPixmap& bitmap, bool online) {
    picture->setPixmap(bitmap);
    // The picture's words, for those who do not see it.
    ShowsState(picture, "Camera connection", online ? "Online" : "Offline");
}
}  // namespace

StatusStrip::StatusStrip() {
    InitialiseResources();
    current_ = OfflineBitmap();
}

StatusStrip::~StatusStrip() = default;

std::unique_ptr<StatusStrip> StatusStrip::CreateDefault(ProcessContext&) {
    return std::make_unique<StatusStrip>();
}

QPixmap StatusStrip::OfflineBitmap() {
    InitialiseResources();
    return QPixmap(kOfflineBitmap);
}

QPixmap StatusStrip::OnlineBitmap() {
    InitialiseResources();
    return QPixmap(kOnlineBitmap);
}

void StatusStrip::Register(OnlineStatusUpdater* updater) {
    if (updater == nullptr) {
        return;
    }
    ForgetDestroyed();
    if (QLabel* picture = updater->StatusPicture()) {
        Show(picture, current_, online_);
    }
    updaters_.push_back({updater, updater->lifetime_});
}

void StatusStrip::Unregister(OnlineStatusUpdater* updater) {
    updaters_.erase(std::remove_if(updaters_.begin(), updaters_.end(),
                                   [updater](const Entry& entry) {
                                       return entry.updater == updater || entry.lifetime.expired();
                                   }),
                    updaters_.end());
}

void StatusStrip::SetOnline(bool online) {
    online_ = online;
    current_ = online ? OnlineBitmap() : OfflineBitmap();
    ForgetDestroyed();
    for (const Entry& entry : updaters_) {
        if (QLabel* picture = entry.updater->StatusPicture()) {
            Show(picture, current_, online_);
        }
    }
    // An override may open or close dialogs, so walk a copy and skip whatever has left.
    const std::vector<Entry> told = updaters_;
    for (const Entry& entry : told) {
        if (entry.lifetime.expired() || !IsRegistered(entry.updater)) {
            continue;
        }
        if (entry.updater->StatusPicture() != nullptr) {
            entry.updater->OnOnlineStatus(online ? 1 : 0);
        }
    }
}

void StatusStrip::ForgetDestroyed() {
    updaters_.erase(std::remove_if(updaters_.begin(), updaters_.end(),
                                   [](const Entry& entry) { return entry.lifetime.expired(); }),
                    updaters_.end());
}

bool StatusStrip::IsRegistered(const OnlineStatusUpdater* updater) const {
    return std::any_of(updaters_.begin(), updaters_.end(),
                       [updater](const Entry& entry) { return entry.updater == updater; });
}
