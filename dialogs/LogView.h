#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <QString>
#include <cstdint>
#include <deque>

class LineLog;
class QTimer;

// Which end of a log view holds its newest line.
enum class LogOrder { NewestFirst, OldestFirst };

// The lines of a LineLog as a list model, in the order given. It keeps its own copy, taken in
// by Sync, so that what the view shows stays consistent while the log grows between syncs.
class LogListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit LogListModel(const LineLog& log, LogOrder order = LogOrder::NewestFirst,
                          QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // What a Sync changed: rows inserted at the newest end and removed at the oldest end, or
    // the whole model rebuilt.
    struct Change {
        int inserted = 0;
        int removed = 0;
        bool rebuilt = false;
    };
    // Takes in what the log gained or lost since the last call, in one insertion at the newest
    // end and one removal at the oldest end.
    Change Sync();
    LogOrder Order() const { return order_; }

private:
    void Rebuild();

    const LineLog& log_;
    LogOrder order_;
    std::deque<QString> lines_;
    uint64_t seenAdded_ = 0;
    uint64_t seenClears_ = 0;
};

// A protocol log on screen, no selection, bounded by the log's capacity. Lines are taken in per
// timer tick while the view is shown, never one repaint per line. Oldest first, the view
// follows the newest line at the bottom unless the reader scrolled away from it; newest first,
// a reader who scrolled down keeps the lines he reads in view. It takes the keyboard focus and
// scrolls with the arrow, Page, Home and End keys.
class LogView : public QListView {
    Q_OBJECT
public:
    static constexpr int kSyncPeriodMs = 50;

    explicit LogView(const LineLog& log, LogOrder order = LogOrder::NewestFirst,
                     QWidget* parent = nullptr);

    // Takes in the log's new lines now.
    void Sync();
    LogListModel* LogModel() const { return model_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    LogListModel* model_;
    QTimer* timer_;
};
