#include "dialogs/LogView.h"

#include <QKeyEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

#include "operations/LineLog.h"

LogListModel::LogListModel(const LineLog& log, LogOrder order, QObject* parent)
    : QAbstractListModel(parent), log_(log), order_(order) {
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
        QString line = QString::fromStdString(log_.Line(i));
        if (order_ == LogOrder::NewestFirst) {
            lines_.push_back(std::move(line));
        } else {
            lines_.push_front(std::move(line));
        }
    }
    seenAdded_ = log_.AddedCount();
    seenClears_ = log_.ClearCount();
    endResetModel();
}

LogListModel::Change LogListModel::Sync() {
    Change change;
    const uint64_t fresh = log_.AddedCount() - seenAdded_;
    if (log_.ClearCount() != seenClears_ || fresh >= log_.Capacity()) {
        // Cleared, or every line shown has gone: the log is the new content.
        Rebuild();
        change.rebuilt = true;
        return change;
    }
    if (fresh == 0) {
        return change;
    }
    const int count = static_cast<int>(fresh);
    const int rows = static_cast<int>(lines_.size());
    if (order_ == LogOrder::NewestFirst) {
        beginInsertRows(QModelIndex(), 0, count - 1);
    } else {
        beginInsertRows(QModelIndex(), rows, rows + count - 1);
    }
    // Oldest of the new lines first, so that the newest ends up at the newest end.
    for (int i = count - 1; i >= 0; --i) {
        QString line = QString::fromStdString(log_.Line(static_cast<std::size_t>(i)));
        if (order_ == LogOrder::NewestFirst) {
            lines_.push_front(std::move(line));
        } else {
            lines_.push_back(std::move(line));
        }
    }
    endInsertRows();
    seenAdded_ = log_.AddedCount();
    change.inserted = count;
    const std::size_t keep = log_.Size();
    if (lines_.size() > keep) {
        const int removed = static_cast<int>(lines_.size() - keep);
        if (order_ == LogOrder::NewestFirst) {
            beginRemoveRows(QModelIndex(), static_cast<int>(keep),
                            static_cast<int>(lines_.size()) - 1);
            lines_.resize(keep);
        } else {
            beginRemoveRows(QModelIndex(), 0, removed - 1);
            lines_.erase(lines_.begin(), lines_.begin() + removed);
        }
        endRemoveRows();
        change.removed = removed;
    }
    return change;
}

LogView::LogView(const LineLog& log, LogOrder order, QWidget* parent)
    : QListView(parent), model_(new LogListModel(log, order, this)), timer_(new QTimer(this)) {
    setModel(model_);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Reached with Tab and read with the keys; there is nothing to select.
    setFocusPolicy(Qt::StrongFocus);
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
    const bool oldestFirst = model_->Order() == LogOrder::OldestFirst;
    if (oldestFirst) {
        // Where the reader is, measured on the rows he sees.
        executeDelayedItemsLayout();
    }
    const int firstShown = bar->value();
    const bool following = firstShown >= bar->maximum();
    const LogListModel::Change change = model_->Sync();
    if (change.inserted == 0 && change.removed == 0 && !change.rebuilt) {
        return;
    }
    if (oldestFirst) {
        if (following) {
            scrollToBottom();
        } else if (change.removed > 0 && !change.rebuilt) {
            // The lines being read move up by what was dropped above them; follow them.
            executeDelayedItemsLayout();
            bar->setValue(std::max(firstShown - change.removed, 0));
        }
    } else if (change.inserted > 0 && firstShown > 0) {
        // The lines being read move down by what came in above them; follow them.
        executeDelayedItemsLayout();
        bar->setValue(std::min(firstShown + change.inserted, bar->maximum()));
    }
}

void LogView::resizeEvent(QResizeEvent* event) {
    // A view that shrinks (its dialog re-laid out, docked or floated) keeps its top line; one
    // that followed the newest line keeps following it.
    QScrollBar* bar = verticalScrollBar();
    const bool following =
        model_->Order() == LogOrder::OldestFirst && bar->value() >= bar->maximum();
    QListView::resizeEvent(event);
    if (following) {
        scrollToBottom();
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

void LogView::keyPressEvent(QKeyEvent* event) {
    // The keys scroll the lines: there is no current line to move, which would first jump to
    // the top.
    QScrollBar* bar = verticalScrollBar();
    switch (event->key()) {
        case Qt::Key_Up:
            bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
            break;
        case Qt::Key_Down:
            bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            break;
        case Qt::Key_PageUp:
            bar->triggerAction(QAbstractSlider::SliderPageStepSub);
            break;
        case Qt::Key_PageDown:
            bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
            break;
        case Qt::Key_Home:
            bar->triggerAction(QAbstractSlider::SliderToMinimum);
            break;
        case Qt::Key_End:
            bar->triggerAction(QAbstractSlider::SliderToMaximum);
            break;
        case Qt::Key_Left:
            horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
            break;
        case Qt::Key_Right:
            horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            break;
        default:
            QListView::keyPressEvent(event);
            return;
    }
    event->accept();
}
