#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <QString>
#include <cstdint>
#include <deque>

class LineLog;
class QTimer;

// The lines of a LineLog as a list model, newest first. It keeps its own copy, taken in by
// Sync, so that what the view shows stays consistent while the log grows between syncs.
class LogListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit LogListModel(const LineLog& log, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Takes in what the log gained or lost since the last call, in one insertion at the top
    // and one removal at the bottom. Returns the number of rows inserted at the top, or -1 when
    // the model was rebuilt.
    int Sync();

private:
    void Rebuild();

    const LineLog& log_;
    std::deque<QString> lines_;
    uint64_t seenAdded_ = 0;
    uint64_t seenClears_ = 0;
};

// A protocol log on screen: newest line at the top, no selection, bounded by the log's
// capacity. Lines are taken in per timer tick while the view is shown, never one repaint per
// line; a reader who scrolled down keeps the lines he reads in view.
class LogView : public QListView {
    Q_OBJECT
public:
    static constexpr int kSyncPeriodMs = 50;

    explicit LogView(const LineLog& log, QWidget* parent = nullptr);

    // Takes in the log's new lines now.
    void Sync();
    LogListModel* LogModel() const { return model_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    LogListModel* model_;
    QTimer* timer_;
};
