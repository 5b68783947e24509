#pragma once

#include <QScrollArea>

// A frameless scroll area around a window's contents that asks for room for the whole of them,
// so that the window opens showing all of it where the screen has the room; where the screen
// has not, the contents scroll instead of running off the screen.
class ContentScrollArea : public QScrollArea {
public:
    ContentScrollArea(QWidget* contents, QWidget* parent);

    QSize sizeHint() const override;
};
