#include "dialogs/LogView.h"

#include <QScrollBar>
#include <QTimer>
#include <algorithm>

#include "operations/LineLog.h"

LogListModel::LogListModel(const LineLog& log, QObject* parent)
    : QAbstractListModel(parent), log_(log) {
    Rebuild();
}

int LogListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

QVariant LogListModel::data(const QModelIndex& index, int role) const {
    // Rows are as wide as the view (one size for every row), so a long line is cut; its tip
    // shows it whole.
    if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) || !index.isValid() ||
        index.row() < 0 || static_cast<std::size_t>(index.row()) >= lines_.size()) {
        return QVariant();
    }
    return lines_[static_cast<std::size_t>(index.row())];
}

void LogListModel::Rebuild() {
    beginResetModel();
    lines_.clear();
    for (std::size_t i = 0; i < log_.Size(); ++i) {
        lines_.push_back(QString::fromStdString(log_.Line(i)));
    }
    seenAdded_ = log_.AddedCount();
    seenClears_ = log_.ClearCount();
    endResetModel();
}

int LogListModel::Sync() {
    const uint64_t fresh = log_.AddedCount() - seenAdded_;
    if (log_.ClearCount() != seenClears_ || fresh >= log_.Capacity()) {
        // Cleared, or every line shown has gone: the log is the new content.
        Rebuild();
        return -1;
    }
    if (fresh == 0) {
        return 0;
    }
    const int count = static_cast<int>(fresh);
    beginInsertRows(QModelIndex(), 0, count - 1);
    // Oldest of the new lines first, so that the newest ends up on top.
    for (int i = count - 1; i >= 0; --i) {
        lines_.push_front(QString::fromStdString(log_.Line(static_cast<std::size_t>(i))));
    }
    endInsertRows();
    seenAdded_ = log_.AddedCount();
    const std::size_t keep = log_.Size();
    if (lines_.size() > keep) {
        beginRemoveRows(QModelIndex(), static_cast<int>(keep), static_cast<int>(lines_.size()) - 1);
        lines_.resize(keep);
        endRemoveRows();
    }
    return count;
}

LogView::LogView(const LineLog& log, QWidget* parent)
    : QListView(parent), model_(new LogListModel(log, this)), timer_(new QTimer(this)) {
    setModel(model_);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::NoFocus);
    // One height for every row keeps the layout cheap with tens of thousands of lines.
    setUniformItemSizes(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    timer_->setInterval(kSyncPeriodMs);
    connect(timer_, &QTimer::timeout, this, &LogView::Sync);
}

void LogView::Sync() {
    QScrollBar* bar = verticalScrollBar();
    const int firstShown = bar->value();
    const int inserted = model_->Sync();
    if (inserted > 0 && firstShown > 0) {
        // The lines being read move down by what came in above them; follow them.
        executeDelayedItemsLayout();
        bar->setValue(std::min(firstShown + inserted, bar->maximum()));
    }
}

void LogView::showEvent(QShowEvent* event) {
    QListView::showEvent(event);
    Sync();
    timer_->start();
}

void LogView::hideEvent(QHideEvent* event) {
    QListView::hideEvent(event);
    // A hidden log is taken in all at once when it shows again.
    timer_->stop();
}
