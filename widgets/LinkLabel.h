#pragma once

#include <QColor>
#include <QCursor>
#include <QLabel>
#include <optional>

class QMouseEvent;

// A text label that can act as a hyperlink: while the link is on, a left click opens the
// label's own text (a web address or a file) with the desktop's default handler.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(QWidget* parent = nullptr);
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

    // Off: clicks pass through to the window below, as for any static text.
    void SetLink(bool on);
    void SetLinkColor(const QColor& colour);
    void SetUnderline(bool on);
    // Shown over the label while the link is on.
    void SetLinkCursor(const QCursor& cursor);

    bool IsLink() const { return link_; }
    QColor LinkColor() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void ApplyCursor();

    bool link_ = false;
    std::optional<QCursor> linkCursor_;
};
