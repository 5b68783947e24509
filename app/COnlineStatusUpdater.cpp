#include "app/COnlineStatusUpdater.h"

#include <QLabel>

COnlineStatusUpdater::COnlineStatusUpdater(QLabel* statusPicture) : statusPicture_(statusPicture) {}

COnlineStatusUpdater::~COnlineStatusUpdater() = default;

void COnlineStatusUpdater::OnOnlineStatus(int) {}

void COnlineStatusUpdater::SetStatusPicture(QLabel* statusPicture) {
    statusPicture_ = statusPicture;
}
