#include "dialogs/MonitorWindow.h"

#include <QApplication>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <deque>

#include "core/ControlMode.h"
#include "core/ProcessContext.h"
#include "widgets/AccessibleNames.h"
#include "widgets/OneActionAtATime.h"
#include "widgets/ScreenRoom.h"

namespace {

// How often the window looks whether a sample is due; the shortest interval is a second.
constexpr int kLookMs = 200;
constexpr int kDefaultThreshold = 60;
constexpr qint64 kShortestSpanMs = 60 * 1000;
// The steps of the time axis's marks: 10 s, 30 s, 1 min, 5 min, 10 min.
constexpr qint64 kTickStepsMs[] = {10000, 30000, 60000, 300000, 600000};

qint64 Milliseconds(ReadingMonitor::WallTime time) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count();
}

}  // namespace

MonitorChart::MonitorChart(const ReadingMonitor& monitor, QWidget* parent)
    : QFrame(parent), monitor_(monitor) {
    setObjectName("MonitorChart");
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAccessibleName("Temperature chart");
    setAccessibleDescription("The temperature over the last hour, in degrees C");
    setMinimumSize(480, 220);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void MonitorChart::SetThreshold(int threshold) {
    threshold_ = threshold;
    update();
}

QVector<QPointF> MonitorChart::Points() const {
    QVector<QPointF> points;
    for (const ReadingMonitor::Sample& sample : monitor_.Samples()) {
        if (!sample.values.empty() && sample.values.front()) {
            points.append(QPointF(static_cast<double>(Milliseconds(sample.time)),
                                  static_cast<double>(*sample.values.front())));
        }
    }
    return points;
}

void MonitorChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colours = palette();
    painter.fillRect(contentsRect(), colours.base());
    drawFrame(&painter);
    const QFontMetrics metrics = fontMetrics();
    const int left = metrics.horizontalAdvance("-000") + 12;
    const int bottom = metrics.height() + 10;
    const QRectF plot(left, 8, width() - left - 12, height() - bottom - 8);
    if (plot.width() < 10 || plot.height() < 10) {
        return;
    }

    const QVector<QPointF> points = Points();
    // Up to the newest sample (or now), as far back as the oldest kept: a minute at least, an
    // hour at most, so that the first samples are not squeezed into the right edge.
    const std::deque<ReadingMonitor::Sample>& samples = monitor_.Samples();
    const qint64 end =
        samples.empty() ? QDateTime::currentMSecsSinceEpoch() : Milliseconds(samples.back().time);
    const qint64 hour =
        std::chrono::duration_cast<std::chrono::milliseconds>(ReadingMonitor::kKept).count();
    const qint64 span = std::clamp<qint64>(
        samples.empty() ? 0 : end - Milliseconds(samples.front().time), kShortestSpanMs, hour);
    const qint64 start = end - span;
    double low = threshold_ - 5;
    double high = threshold_ + 5;
    for (const QPointF& point : points) {
        low = std::min(low, point.y() - 2);
        high = std::max(high, point.y() + 2);
    }
    // The newest sample's mark stands whole inside the frame.
    const double inset = 6;
    const auto x = [&](double ms) {
        return plot.left() + (ms - start) * (plot.width() - inset) / span;
    };
    const auto y = [&](double value) {
        return plot.bottom() - (value - low) * plot.height() / (high - low);
    };

    painter.setPen(colours.color(QPalette::Text));
    painter.drawRect(plot);
    // The clock time at round steps, six at most; the degrees at a few round values.
    qint64 tickStep = kTickStepsMs[0];
    for (const qint64 step : kTickStepsMs) {
        tickStep = step;
        if (span / step <= 6) {
            break;
        }
    }
    const char* const clock = tickStep < 60000 ? "HH:mm:ss" : "HH:mm";
    for (qint64 tick = (start / tickStep + 1) * tickStep; tick <= end; tick += tickStep) {
        const double at = x(static_cast<double>(tick));
        painter.drawLine(QPointF(at, plot.bottom()), QPointF(at, plot.bottom() + 4));
        const QString text = QDateTime::fromMSecsSinceEpoch(tick).toString(clock);
        painter.drawText(QPointF(at - metrics.horizontalAdvance(text) / 2.0,
                                 plot.bottom() + 4 + metrics.ascent()),
                         text);
    }
    const int step = std::max(1, static_cast<int>((high - low) / 5));
    for (int value = static_cast<int>(std::ceil(low)); value <= high; ++value) {
        if (value % step != 0) {
            continue;
        }
        const QString text = QString::number(value);
        painter.drawText(QPointF(plot.left() - 6 - metrics.horizontalAdvance(text),
                                 y(value) + metrics.ascent() / 2.0),
                         text);
    }

    const QColor warning(200, 0, 0);
    painter.setPen(QPen(warning, 1, Qt::DashLine));
    painter.drawLine(QPointF(plot.left(), y(threshold_)), QPointF(plot.right(), y(threshold_)));

    painter.setClipRect(plot);
    QPainterPath curve;
    for (int i = 0; i < points.size(); ++i) {
        const QPointF at(x(points[i].x()), y(points[i].y()));
        if (i == 0) {
            curve.moveTo(at);
        } else {
            curve.lineTo(at);
        }
    }
    painter.setPen(QPen(colours.color(QPalette::Highlight), 2));
    painter.drawPath(curve);
    painter.setPen(QPen(warning, 2));
    painter.setBrush(Qt::NoBrush);
    for (const QPointF& point : points) {
        if (point.y() > threshold_) {
            painter.drawEllipse(QPointF(x(point.x()), y(point.y())), 4, 4);
        }
    }
}

MonitorWindow::MonitorWindow(ProcessContext& context, std::function<bool()> busy, QWidget* parent)
    : QDialog(parent),
      context_(context),
      busy_(std::move(busy)),
      monitor_(context.Get<ControlMode>().IsFactory()) {
    setWindowTitle("Monitor");
    setObjectName("MonitorWindow");

    interval_ = new QSpinBox(this);
    interval_->setRange(static_cast<int>(ReadingMonitor::kShortestInterval.count()),
                        static_cast<int>(ReadingMonitor::kLongestInterval.count()));
    interval_->setValue(static_cast<int>(monitor_.Interval().count()));
    interval_->setSuffix(" s");
    interval_->setAccessibleName("Interval");
    interval_->setToolTip("Seconds from one reading to the next");
    auto* intervalLabel = new QLabel("&Interval:", this);
    intervalLabel->setBuddy(interval_);

    threshold_ = new QSpinBox(this);
    threshold_->setRange(-40, 150);
    threshold_->setValue(kDefaultThreshold);
    threshold_->setSuffix(" C");
    threshold_->setAccessibleName("Threshold");
    threshold_->setToolTip("Temperatures above it are marked in the chart");
    auto* thresholdLabel = new QLabel("&Threshold:", this);
    thresholdLabel->setBuddy(threshold_);

    save_ = new QPushButton("Save CSV...", this);
    save_->setToolTip("Saves the samples of the chart as comma-separated values");

    latest_ = new QLabel("No sample yet", this);
    latest_->setObjectName("MonitorLatest");
    ShowsValue(latest_, "Latest reading");
    latest_->setWordWrap(true);
    latest_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    chart_ = new MonitorChart(monitor_, this);
    chart_->SetThreshold(kDefaultThreshold);

    auto* controls = new QHBoxLayout;
    controls->addWidget(intervalLabel);
    controls->addWidget(interval_);
    controls->addSpacing(12);
    controls->addWidget(thresholdLabel);
    controls->addWidget(threshold_);
    controls->addStretch();
    controls->addWidget(save_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(latest_);
    layout->addWidget(chart_, 1);

    resize(ScreenRoom::Fit(this, sizeHint().expandedTo(QSize(640, 400))));

    connect(interval_, &QSpinBox::valueChanged, this,
            [this](int seconds) { monitor_.SetInterval(std::chrono::seconds(seconds)); });
    connect(threshold_, &QSpinBox::valueChanged, this, [this](int value) {
        chart_->SetThreshold(value);
        ShowLatest();
    });
    connect(save_, &QPushButton::clicked, this, [this] {
        RunOneActionAtATime(running_, [this] { MonitorSaving::SaveCsv(context_, this, monitor_); });
    });
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &MonitorWindow::Tick);
    timer_->start(kLookMs);
}

void MonitorWindow::Tick() {
    // A question or a dialog open belongs to an action that has not ended; the main window's
    // action runs on in its own loop.
    if (!isVisible() || QApplication::activeModalWidget() != nullptr || (busy_ && busy_())) {
        return;
    }
    RunOneActionAtATime(running_, [this] {
        if (monitor_.Poll(context_, std::chrono::steady_clock::now(),
                          std::chrono::system_clock::now())) {
            ShowLatest();
            chart_->update();
        }
    });
}

void MonitorWindow::ShowLatest() {
    if (monitor_.Samples().empty()) {
        return;
    }
    const ReadingMonitor::Sample& sample = monitor_.Samples().back();
    QStringList parts;
    for (std::size_t i = 0; i < sample.values.size(); ++i) {
        const QString name = QString::fromStdString(monitor_.Names()[i]);
        const QString value = sample.values[i] ? QString::number(*sample.values[i]) : "-";
        parts << (i != 0             ? QString("%1 %2").arg(name, value)
                  : sample.values[i] ? QString("Temperature %1 C").arg(value)
                                     : QString("Temperature -"));
    }
    const QString time =
        QDateTime::fromMSecsSinceEpoch(Milliseconds(sample.time)).toString("HH:mm:ss");
    QString text = QString("%1 at %2").arg(parts.join(", "), time);
    if (!sample.values.front()) {
        text += " (no answer)";
    } else if (*sample.values.front() > threshold_->value()) {
        text += " (above the threshold)";
    }
    latest_->setText(text);
}

void MonitorWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred over the main window, it could stand partly off a small screen.
    move(ScreenRoom::Keep(this, pos()));
}
