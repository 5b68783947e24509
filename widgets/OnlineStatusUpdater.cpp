#include "widgets/OnlineStatusUpdater.h"

#include <QLabel>

OnlineStatusUpdater::OnlineStatusUpdater(QLabel* statusPicture) : statusPicture_(statusPicture) {}

OnlineStatusUpdater::~OnlineStatusUpdater() = default;

void OnlineStatusUpdater::OnOnlineStatus(int) {}

void OnlineStatusUpdater::SetStatusPicture(QLabel* statusPicture) {
    statusPicture_ = statusPicture;
}
