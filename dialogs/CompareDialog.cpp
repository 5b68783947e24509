#include "dialogs/CompareDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/OperatorDialogs.h"
#include "widgets/ScreenRoom.h"

namespace {

enum Column { kMark, kPage, kName, kMnemonic, kCamera, kFile, kColumnCount };

// Enough rows to see the differences of an ordinary file without scrolling.
constexpr int kVisibleRows = 18;

}  // namespace

CompareDialog::CompareDialog(const ComparisonRequest& request, QWidget* parent)
    : QDialog(parent),
      table_(new QTableWidget(static_cast<int>(request.rows.size()), kColumnCount, this)),
      load_(new QPushButton(tr("&Load Differences"), this)),
      close_(new QPushButton(tr("&Close"), this)) {
    setWindowTitle(tr("Compare with File"));
    setObjectName("CompareDialog");
    auto* summary = new QLabel(QString::fromStdString(request.summary), this);
    summary->setObjectName("CompareSummary");
    summary->setWordWrap(true);

    table_->setObjectName("CompareTable");
    table_->setAccessibleName(tr("Parameters, camera and file"));
    table_->setHorizontalHeaderLabels(
        {QString(), tr("Page"), tr("Parameter"), tr("Mnemonic"), tr("Camera"), tr("File")});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setWordWrap(false);
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    // The differing rows stand out in any colour scheme: a tint of the selection colour.
    QColor tint = palette().color(QPalette::Highlight);
    tint.setAlpha(40);
    int row = 0;
    for (const ComparisonRow& line : request.rows) {
        const QString texts[kColumnCount] = {line.differs ? QStringLiteral("\u2260") : QString(),
                                             QString::fromStdString(line.page),
                                             QString::fromStdString(line.name),
                                             QString::fromStdString(line.mnemonic),
                                             QString::fromStdString(line.cameraValue),
                                             QString::fromStdString(line.fileValue)};
        for (int column = 0; column < kColumnCount; ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            if (line.differs) {
                QFont font = item->font();
                font.setBold(true);
                item->setFont(font);
                item->setBackground(tint);
            }
            if (column == kMark) {
                item->setTextAlignment(Qt::AlignCenter);
                item->setToolTip(line.differs ? tr("Differs") : QString());
            }
            table_->setItem(row, column, item);
        }
        ++row;
    }
    table_->resizeColumnsToContents();
    // The measured width leaves the grid line no room, and the widest texts lost a pixel to it.
    const int room = fontMetrics().averageCharWidth();
    for (int column = 0; column < kColumnCount; ++column) {
        table_->setColumnWidth(column, table_->columnWidth(column) + room);
    }
    table_->horizontalHeader()->setStretchLastSection(true);

    // Close is the default: Enter sends nothing to the camera.
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(load_, QDialogButtonBox::AcceptRole);
    buttons->addButton(close_, QDialogButtonBox::RejectRole);
    load_->setAutoDefault(false);
    close_->setDefault(true);
    close_->setFocus();
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(table_, 1);
    layout->addWidget(buttons);

    // Wide enough for every column, high enough for a screenful of rows.
    int width = table_->frameWidth() * 2 + table_->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < kColumnCount; ++column) {
        width += table_->columnWidth(column);
    }
    const int rowHeight = table_->verticalHeader()->defaultSectionSize();
    const int height = table_->horizontalHeader()->sizeHint().height() +
                       rowHeight * std::min(std::max(row, 1), kVisibleRows) +
                       table_->frameWidth() * 2;
    // No more than the screen holds with the summary and the buttons: the table scrolls beyond.
    const QSize screen = ScreenRoom::Available(this).size();
    table_->setMinimumSize(
        QSize(width, height).boundedTo(QSize(screen.width() * 9 / 10, screen.height() * 6 / 10)));
}
