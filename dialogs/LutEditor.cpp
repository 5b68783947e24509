#include "dialogs/LutEditor.h"

#include <QFocusEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "controls/CameraModel.h"
#include "core/ProcessContext.h"
#include "operations/LutTransfer.h"

namespace {

// Room left of the graph for the level marks, and above it.
constexpr int kMarkWidth = 40;
constexpr int kGraphTop = 12;
constexpr int kGraphWindow = LutChannel::kGraphSize + 2 * LutGraph::kEdge;

const QColor kGridColour(100, 50, 100);

QColor CurveColour(int colorIndex) {
    switch (colorIndex) {
        case 1:
            return QColor(0, 255, 0);
        case 2:
            return QColor(0, 0, 255);
        default:
            return QColor(255, 0, 0);
    }
}

unsigned MouseKeysOf(const QMouseEvent* event) {
    unsigned keys = 0;
    const Qt::MouseButtons buttons = event->buttons();
    keys |= buttons & Qt::LeftButton ? kMouseLeft : 0u;
    keys |= buttons & Qt::RightButton ? kMouseRight : 0u;
    keys |= buttons & Qt::MiddleButton ? kMouseMiddle : 0u;
    keys |= buttons & Qt::BackButton ? kMouseExtra1 : 0u;
    keys |= buttons & Qt::ForwardButton ? kMouseExtra2 : 0u;
    keys |= event->modifiers() & Qt::ShiftModifier ? kMouseShift : 0u;
    keys |= event->modifiers() & Qt::ControlModifier ? kMouseControl : 0u;
    return keys;
}

QPushButton* Button(const char* text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QLabel* AxisMark(const char* text, Qt::Alignment alignment, const QRect& where, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(alignment);
    label->setGeometry(where);
    return label;
}

}  // namespace

LutGraph::LutGraph(LutChannel& channel, QWidget* parent) : QFrame(parent), channel_(channel) {
    setObjectName("lutGraph");
    setAccessibleName("LUT curve");
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kEdge);
    setFixedSize(kGraphWindow, kGraphWindow);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

int LutGraph::ChosenPoint() const {
    return std::min(chosen_, channel_.PointCount() - 1);
}

void LutGraph::Choose(int point) {
    chosen_ = std::clamp(point, 0, channel_.PointCount() - 1);
    update();
}

void LutGraph::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const int size = LutChannel::kGraphSize;
    painter.setClipRect(QRect(GraphOrigin(), QSize(size, size)));
    painter.translate(GraphOrigin());
    const int right = size;
    const int bottom = size;

    painter.setPen(QPen(kGridColour, 1));
    for (int x = 0; x < right; x += right / 10) {
        painter.drawLine(x, 0, x, bottom);
    }
    for (int y = bottom - 1; y >= 0; y -= bottom / 10) {
        painter.drawLine(0, y, right, y);
    }

    const bool editing = channel_.GetMode() == LutChannel::kEditMode;
    if (editing) {
        for (int k = 0; k < channel_.PointCount(); ++k) {
            const LutPoint& point = channel_.Point(k);
            painter.drawEllipse(QRect(point.x - 4, point.y - 4, 8, 8));
        }
        if (hasFocus()) {
            // The point the keys move, filled.
            const LutPoint& point = channel_.Point(ChosenPoint());
            painter.setBrush(kGridColour);
            painter.drawEllipse(QRect(point.x - 5, point.y - 5, 10, 10));
            painter.setBrush(Qt::NoBrush);
        }
    }

    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(
        QPen(CurveColour(channel_.ColorIndex()), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPoint from = editing ? QPoint(channel_.Point(0).x, channel_.Point(0).y) : QPoint(0, bottom);
    for (int i = 0; i < LutChannel::kEntries; ++i) {
        const uint32_t level = channel_.OutputLevel(i);
        const int x = static_cast<int>(channel_.InputLevel(i) / 16);
        const int y = bottom - static_cast<int>((level >> 4) + ((level & 0xF) >= 8 ? 1 : 0));
        if (x >= 0 && x <= right && y >= 0 && y <= bottom) {
            const QPoint to(x, y);
            painter.drawLine(from, to);
            from = to;
        }
    }
}

void LutGraph::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint() - GraphOrigin();
    channel_.OnMouseMove(p.x(), p.y(), MouseKeysOf(event));
}

void LutGraph::keyPressEvent(QKeyEvent* event) {
    if (!Editing()) {
        QFrame::keyPressEvent(event);
        return;
    }
    const int step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    int dx = 0;
    int dy = 0;
    switch (event->key()) {
        case Qt::Key_Left:
            dx = -step;
            break;
        case Qt::Key_Right:
            dx = step;
            break;
        case Qt::Key_Up:
            dy = -step;
            break;
        case Qt::Key_Down:
            dy = step;
            break;
        case Qt::Key_PageUp:
            dy = -10;
            break;
        case Qt::Key_PageDown:
            dy = 10;
            break;
        case Qt::Key_Home:
            Choose(0);
            return;
        case Qt::Key_End:
            Choose(channel_.PointCount() - 1);
            return;
        default:
            QFrame::keyPressEvent(event);
            return;
    }
    // Moving past a neighbour re-sorts the points; the choice goes with the point.
    const int moved = channel_.MovePoint(ChosenPoint(), dx, dy);
    if (moved >= 0) {
        Choose(moved);
    }
}

void LutGraph::focusInEvent(QFocusEvent* event) {
    QFrame::focusInEvent(event);
    if (event->reason() == Qt::TabFocusReason) {
        Choose(0);
    } else if (event->reason() == Qt::BacktabFocusReason) {
        Choose(channel_.PointCount() - 1);
    }
    update();
}

void LutGraph::focusOutEvent(QFocusEvent* event) {
    QFrame::focusOutEvent(event);
    update();
}

bool LutGraph::focusNextPrevChild(bool next) {
    // Tab walks the edit points before it leaves the graph.
    const int point = ChosenPoint();
    if (hasFocus() && Editing()) {
        if (next && point < channel_.PointCount() - 1) {
            Choose(point + 1);
            return true;
        }
        if (!next && point > 0) {
            Choose(point - 1);
            return true;
        }
    }
    return QFrame::focusNextPrevChild(next);
}

LutEditor::LutEditor(ProcessContext& context, int colorIndex, QWidget* parent)
    : StatusDialog(context, QString::fromStdString(LutChannel::Title(colorIndex)), parent),
      colorIndex_(colorIndex),
      channel_(context.Get<LutTables>().Channel(colorIndex)),
      graph_(nullptr),
      modeText_(nullptr),
      pointCount_(nullptr) {
    setObjectName(QString("LutEditor%1").arg(colorIndex));
    // A window of its own beside the main window, not inside it.
    setWindowFlag(Qt::Window, true);

    // Left column: mode, transfers, edit points.
    auto* modeGroup = new QGroupBox("Current Mode Status", this);
    modeText_ = new QLabel(modeGroup);
    modeText_->setObjectName("lutModeText");
    modeText_->setAlignment(Qt::AlignCenter);
    auto* modeLayout = new QVBoxLayout(modeGroup);
    modeLayout->addWidget(modeText_);

    auto* operationGroup = new QGroupBox("Operation", this);
    auto* read = Button("Read Table Data", "readTable", operationGroup);
    auto* write = Button("Write Table Data", "writeTable", operationGroup);
    auto* clear = Button("Clear Table Data", "clearTable", operationGroup);
    auto* operationLayout = new QVBoxLayout(operationGroup);
    operationLayout->addWidget(read);
    operationLayout->addWidget(write);
    operationLayout->addWidget(clear);

    auto* editGroup = new QGroupBox("Change To Edit Mode", this);
    auto* countLabel = new QLabel("Edit Point\nCount To Add", editGroup);
    pointCount_ = new QSpinBox(editGroup);
    pointCount_->setObjectName("lutPointCount");
    pointCount_->setRange(2, LutChannel::kMaxPoints);
    pointCount_->setValue(8);
    countLabel->setBuddy(pointCount_);
    auto* convert = Button("Convert Editable", "convertEditable", editGroup);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(countLabel);
    countRow->addWidget(pointCount_);
    auto* editLayout = new QVBoxLayout(editGroup);
    editLayout->addLayout(countRow);
    editLayout->addWidget(convert);

    auto* left = new QVBoxLayout;
    left->addWidget(modeGroup);
    left->addWidget(operationGroup);
    left->addWidget(editGroup);
    left->addStretch(1);

    // The graph with its axis marks.
    auto* canvas = new QWidget(this);
    canvas->setFixedSize(kMarkWidth + kGraphWindow + 8, kGraphTop + kGraphWindow + 20);
    graph_ = new LutGraph(channel_, canvas);
    graph_->move(kMarkWidth, kGraphTop);
    const int graphBottom = kGraphTop + kGraphWindow;
    const Qt::Alignment rightAligned = Qt::AlignRight | Qt::AlignVCenter;
    const int markLeft = 0;
    const int markWidth = kMarkWidth - 4;
    AxisMark("4095", rightAligned, QRect(markLeft, kGraphTop - 6, markWidth, 16), canvas);
    AxisMark("2048", rightAligned, QRect(markLeft, kGraphTop + kGraphWindow / 2 - 8, markWidth, 16),
             canvas);
    AxisMark("0", rightAligned, QRect(markLeft, graphBottom - 10, markWidth, 16), canvas);
    AxisMark("0", Qt::AlignLeft | Qt::AlignTop, QRect(kMarkWidth, graphBottom + 2, 30, 16), canvas);
    AxisMark("128", Qt::AlignHCenter | Qt::AlignTop,
             QRect(kMarkWidth + kGraphWindow / 2 - 15, graphBottom + 2, 30, 16), canvas);
    AxisMark("255", Qt::AlignRight | Qt::AlignTop,
             QRect(kMarkWidth + kGraphWindow - 30, graphBottom + 2, 30, 16), canvas);

    // Right column: how to edit.
    auto* usageGroup = new QGroupBox("Usage Descritption", this);
    auto* usageLayout = new QVBoxLayout(usageGroup);
    for (const char* text :
         {"<< Add edit point >>\n  Left mouse click\n  on LUT line",
          "<< Delete edit point >>\n  Right mouse click\n  at edit point",
          "<< Move LUT line >>\n  Move with keeping left\n  mouse click on\n  edit point.",
          "<< Keyboard >>\n  Tab: choose edit point\n  Arrows: move it\n  Page Up/Down: by ten"}) {
        usageLayout->addWidget(new QLabel(text, usageGroup));
    }
    usageLayout->addStretch(1);

    auto* contents = new QHBoxLayout;
    contents->addLayout(left);
    contents->addWidget(canvas, 0, Qt::AlignTop);
    contents->addWidget(usageGroup);
    SetContents(contents);

    connect(read, &QPushButton::clicked, this,
            [this] { LutTransfer::ReadTable(Context(), colorIndex_); });
    connect(write, &QPushButton::clicked, this,
            [this] { LutTransfer::WriteTable(Context(), colorIndex_); });
    connect(clear, &QPushButton::clicked, this, [this] { channel_.ClearTable(); });
    connect(convert, &QPushButton::clicked, this,
            [this] { channel_.ConvertEditable(pointCount_->value()); });

    channel_.SetView(this);
    ShowMode();
}

LutEditor::~LutEditor() {
    if (channel_.View() == this) {
        channel_.SetView(nullptr);
    }
}

void LutEditor::ShowMode() {
    modeText_->setText(LutChannel::ModeText(channel_.GetMode()));
}

void LutEditor::Invalidate() {
    ShowMode();
    graph_->update();
}

void LutEditor::DrawNow() {
    ShowMode();
    graph_->repaint();
}

void LutEditor::ActivateWindow() {
    if (isVisible()) {
        activateWindow();
    }
}

void LutEditor::CreateLutEditors(ProcessContext& context, QWidget* mainWindow) {
    for (int i = 0; i < 3; ++i) {
        const QString name = QString("LutEditor%1").arg(i);
        if (mainWindow->findChild<LutEditor*>(name, Qt::FindDirectChildrenOnly) == nullptr) {
            auto* editor = new LutEditor(context, i, mainWindow);
            editor->hide();
        }
    }
}

void LutEditor::ShowLutEditors(ProcessContext& context, QWidget* mainWindow, bool show) {
    CreateLutEditors(context, mainWindow);
    const bool monochrome = context.Get<CameraModel>().IsSupported();
    for (int i = 0; i < 3; ++i) {
        auto* editor = mainWindow->findChild<LutEditor*>(QString("LutEditor%1").arg(i),
                                                         Qt::FindDirectChildrenOnly);
        const bool takesPart = !monochrome || i == LutTables::kMonochrome;
        if (!show || !takesPart) {
            // A window left over from a camera of the other kind goes as well.
            editor->hide();
            continue;
        }
        editor->setWindowTitle(QString::fromStdString(monochrome ? LutChannel::MonochromeTitle()
                                                                 : LutChannel::Title(i)));
        if (!editor->placed_) {
            editor->placed_ = true;
            editor->adjustSize();
            editor->move(mainWindow->pos() + QPoint(50 * (i + 1), 50 * (i + 1)));
        }
        editor->showNormal();
        editor->raise();
        editor->activateWindow();
    }
}
