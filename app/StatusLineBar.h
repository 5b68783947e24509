#pragma once

#include <QString>
#include <QWidget>

class ElidingLabel;
class QLabel;
class QResizeEvent;

// The status line in the main window's status strip: on the left what the last action did, on
// the right the link and mode in use. A text that does not fit is cut short with an ellipsis
// (the whole text is its tooltip), so that a long one never widens the window. Where both are
// too long, each gets half the line. Between them, while the camera holds changes not stored to
// flash, a mark says so.
class StatusLineBar : public QWidget {
public:
    explicit StatusLineBar(QWidget* parent = nullptr);

    void ShowOutcome(const QString& text);
    void ShowLink(const QString& text);
    void ShowStorage(const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The link takes what the outcome leaves, and at least half the line.
    void ShareLine();

    ElidingLabel* outcome_;
    ElidingLabel* link_;
    QLabel* storage_;
};
