#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QResizeEvent;

// The status line in the main window's status strip: on the left what the last action did, cut
// short with an ellipsis where it does not fit (the whole text is its tooltip), so that a long
// outcome never widens the window; on the right the link and mode in use.
class StatusLineBar : public QWidget {
public:
    explicit StatusLineBar(QWidget* parent = nullptr);

    void ShowOutcome(const QString& text);
    void ShowLink(const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void FitOutcome();

    QString outcome_;
    QLabel* outcomeLabel_;
    QLabel* linkLabel_;
};
