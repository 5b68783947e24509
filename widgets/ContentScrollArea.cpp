#include "widgets/ContentScrollArea.h"

ContentScrollArea::ContentScrollArea(QWidget* contents, QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setWidget(contents);
    // What is behind shows through, as behind contents without an area.
    viewport()->setAutoFillBackground(false);
    contents->setAutoFillBackground(false);
    // Tab goes to the controls in it, and the area scrolls to the one that has the focus; the
    // area itself is no stop, which a screen reader would announce as nothing.
    setFocusPolicy(Qt::NoFocus);
}

QSize ContentScrollArea::sizeHint() const {
    // Never less than the contents need: a list sized to its items can hint less than that.
    return widget()->sizeHint().expandedTo(widget()->minimumSizeHint()).grownBy(contentsMargins());
}
