#pragma once

#include <QDialog>
#include <QFrame>
#include <QPointF>
#include <QVector>
#include <functional>

#include "core/OperatorWindow.h"
#include "operations/ReadingMonitor.h"

class ProcessContext;
class QLabel;
class QPushButton;
class QSpinBox;
class QTimer;

// The strip chart of the temperature over the last hour: the threshold as a line, the samples
// above it marked, the time axis in clock time.
class MonitorChart : public QFrame {
    Q_OBJECT
public:
    MonitorChart(const ReadingMonitor& monitor, QWidget* parent = nullptr);

    void SetThreshold(int threshold);
    // The temperatures drawn: (milliseconds since the epoch, degrees), oldest first.
    QVector<QPointF> Points() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ReadingMonitor& monitor_;
    int threshold_ = 60;
};

// Monitor: watches the temperature (and in factory mode the camera's limits) while the
// operator works. It samples only while nothing else uses the camera, and changes nothing.
// Closing it hides it: sampling stops, the samples stay.
class MonitorWindow : public QDialog, public OperatorWindow {
    Q_OBJECT
public:
    // `busy` tells whether the main window runs an action of the operator's now.
    MonitorWindow(ProcessContext& context, std::function<bool()> busy, QWidget* parent = nullptr);

    const ReadingMonitor& Monitor() const { return monitor_; }
    MonitorChart* Chart() const { return chart_; }
    QLabel* Latest() const { return latest_; }
    QSpinBox* IntervalSpin() const { return interval_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Tick();
    void ShowLatest();

    ProcessContext& context_;
    std::function<bool()> busy_;
    ReadingMonitor monitor_;
    QSpinBox* interval_;
    QSpinBox* threshold_;
    QLabel* latest_;
    QPushButton* save_;
    MonitorChart* chart_;
    QTimer* timer_;
    bool running_ = false;
};
