#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

#include "core/WindowPlace.h"

class QWidget;

// How much of its screen a window may take and where it may stand, so that no part of it runs
// off the screen whatever the screen's size and scale.
namespace ScreenRoom {

// The part of the window's screen that windows may cover (without panels and task bars).
QRect Available(const QWidget* window);
// The window system's frame around the window: what it reports, but at least a title bar above
// and a border around, since the frame is often reported only after the window is shown.
QMargins Frame(const QWidget* window);
// The largest size (without frame) the window can have on its screen with the frame; invalid
// where there is no screen.
QSize Room(const QWidget* window);
// The window's size (without frame) closest to the wanted one that fits on its screen with the
// frame.
QSize Fit(const QWidget* window, const QSize& wanted);
// As Fit, for a window whose contents scroll: where its height must shrink, it is made wider by
// a scroll bar, so that the contents beside the bar keep their width.
QSize FitScrolling(const QWidget* window, const QSize& wanted);
// Where the window's frame, of the window's size, stands when moved as near to topLeft as it
// can while whole on the screen.
QPoint Keep(const QWidget* window, const QPoint& topLeft);
// The window's place to keep for the next run: its place as it was before it was maximised.
WindowPlace PlaceOf(const QWidget* window);
// Puts a window not yet shown where it stood, whole on a screen: on the screen that holds the
// middle of its title bar, else (a screen since removed, a smaller one) on the primary screen.
void Restore(QWidget* window, const WindowPlace& place);

}  // namespace ScreenRoom
