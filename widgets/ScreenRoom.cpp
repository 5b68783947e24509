#include "widgets/ScreenRoom.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace ScreenRoom {

QRect Available(const QWidget* window) {
    const QScreen* screen = window->screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

QMargins Frame(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    constexpr int kBorder = 4;
    const int titleBar = window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + kBorder;
    return {std::max(inner.left() - frame.left(), kBorder),
            std::max(inner.top() - frame.top(), titleBar),
            std::max(frame.right() - inner.right(), kBorder),
            std::max(frame.bottom() - inner.bottom(), kBorder)};
}

QSize Fit(const QWidget* window, const QSize& wanted) {
    const QRect area = Available(window);
    if (!area.isValid()) {
        return wanted;
    }
    const QMargins frame = Frame(window);
    const QSize room(area.width() - frame.left() - frame.right(),
                     area.height() - frame.top() - frame.bottom());
    return wanted.boundedTo(room).expandedTo(window->minimumSize());
}

QPoint Keep(const QWidget* window, const QPoint& topLeft) {
    const QRect area = Available(window);
    if (!area.isValid()) {
        return topLeft;
    }
    const QMargins frame = Frame(window);
    const int width = window->width() + frame.left() + frame.right();
    const int height = window->height() + frame.top() + frame.bottom();
    return {std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() + 1 - width)),
            std::clamp(topLeft.y(), area.top(), std::max(area.top(), area.bottom() + 1 - height))};
}

}  // namespace ScreenRoom
