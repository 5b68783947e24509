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

QSize Room(const QWidget* window) {
    const QRect area = Available(window);
    if (!area.isValid()) {
        return {};
    }
    const QMargins frame = Frame(window);
    return {area.width() - frame.left() - frame.right(),
            area.height() - frame.top() - frame.bottom()};
}

QSize Fit(const QWidget* window, const QSize& wanted) {
    const QSize room = Room(window);
    if (!room.isValid()) {
        return wanted;
    }
    return wanted.boundedTo(room).expandedTo(window->minimumSize());
}

QSize FitScrolling(const QWidget* window, const QSize& wanted) {
    const QSize fitted = Fit(window, wanted);
    if (fitted.height() >= wanted.height()) {
        return fitted;
    }
    const int scrollBar = window->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, window);
    return Fit(window, QSize(fitted.width() + scrollBar, fitted.height()));
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

WindowPlace PlaceOf(const QWidget* window) {
    const QRect inner = window->isMaximized() || window->isFullScreen() ? window->normalGeometry()
                                                                        : window->geometry();
    // The frame as the window system reports it, so that the next run's move() puts the frame
    // back where it was.
    const QPoint frame = window->geometry().topLeft() - window->pos();
    return {inner.left() - frame.x(), inner.top() - frame.y(), inner.width(), inner.height(),
            window->isMaximized()};
}

void Restore(QWidget* window, const WindowPlace& place) {
    const QMargins frame = Frame(window);
    const QPoint titleMiddle(place.x + (frame.left() + place.width + frame.right()) / 2,
                             place.y + frame.top() / 2);
    const QScreen* screen = QGuiApplication::screenAt(titleMiddle);
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    const QSize room(area.width() - frame.left() - frame.right(),
                     area.height() - frame.top() - frame.bottom());
    const QSize size =
        QSize(place.width, place.height).boundedTo(room).expandedTo(window->minimumSize());
    const int width = size.width() + frame.left() + frame.right();
    const int height = size.height() + frame.top() + frame.bottom();
    const QPoint topLeft(
        std::clamp(place.x, area.left(), std::max(area.left(), area.right() + 1 - width)),
        std::clamp(place.y, area.top(), std::max(area.top(), area.bottom() + 1 - height)));
    window->resize(size);
    window->move(topLeft);
    if (place.maximised) {
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
    }
}

}  // namespace ScreenRoom
