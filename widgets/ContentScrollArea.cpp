#include "widgets/ContentScrollArea.h"

ContentScrollArea::ContentScrollArea(QWidget* contents, QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setWidget(contents);
    // What is behind shows through, as behind contents without an area.
    viewport()->setAutoFillBackground(false);
    contents->setAutoFillBackground(false);
}

QSize ContentScrollArea::sizeHint() const {
    // Never less than the contents need: a list sized to its items can hint less than that.
    return widget()->sizeHint().expandedTo(widget()->minimumSizeHint()).grownBy(contentsMargins());
}
