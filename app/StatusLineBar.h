#pragma once

#include <QStatusBar>
#include <QString>

class ElidingLabel;
class QLabel;
class QResizeEvent;

// The main window's status bar: after the online picture (the window's), what the last action
// did, then the link and mode in use. Its texts are its own items, so that a screen reader asked
// for the status bar reads each of them. A text that does not fit is cut short with an ellipsis
// (the whole text is its tooltip), so that a long one never widens the window. Where both are
// too long, each gets half the line. Between them, while the camera holds changes not stored to
// flash, a mark says so.
class StatusLineBar : public QStatusBar {
public:
    explicit StatusLineBar(QWidget* parent = nullptr);

    void ShowOutcome(const QString& text);
    void ShowLink(const QString& text);
    void ShowStorage(const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    static constexpr int kGap = 12;
    // The link takes what the outcome leaves, and at least half the line.
    void ShareLine();

    ElidingLabel* outcome_;
    ElidingLabel* link_;
    QLabel* storage_;
};
