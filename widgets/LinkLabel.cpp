#include "widgets/LinkLabel.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QMouseEvent>
#include <QUrl>

LinkLabel::LinkLabel(QWidget* parent) : LinkLabel(QString(), parent) {}

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    // Window-text colour on a button-face background, in the application's default font.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Button));
    setPalette(colours);
    setAutoFillBackground(true);
    setFont(QApplication::font());
    setTextFormat(Qt::PlainText);
    SetLink(false);
}

void LinkLabel::SetLink(bool on) {
    link_ = on;
    setAttribute(Qt::WA_TransparentForMouseEvents, !on);
    ApplyCursor();
}

void LinkLabel::SetLinkColor(const QColor& colour) {
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, colour);
    setPalette(colours);
    repaint();
}

QColor LinkLabel::LinkColor() const {
    return palette().color(QPalette::WindowText);
}

void LinkLabel::SetUnderline(bool on) {
    QFont changed = font();
    changed.setUnderline(on);
    setFont(changed);
    repaint();
}

void LinkLabel::SetLinkCursor(const QCursor& cursor) {
    linkCursor_ = cursor;
    ApplyCursor();
}

void LinkLabel::ApplyCursor() {
    if (link_ && linkCursor_) {
        setCursor(*linkCursor_);
    } else {
        unsetCursor();
    }
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    const bool opens = link_ && event->button() == Qt::LeftButton;
    if (opens) {
        // A bare file name is looked up in the current folder, anything else is an address.
        QDesktopServices::openUrl(QUrl::fromUserInput(text(), QDir::currentPath()));
    }
    QLabel::mousePressEvent(event);
    if (opens) {
        event->accept();  // the click was the link's; the window below must not act on it too
    }
}
