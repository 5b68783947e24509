#include "app/ParameterPage.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "app/PageLayout.h"
#include "controls/ControlCatalog.h"
#include "controls/ControlIds.h"
#include "widgets/AccessibleNames.h"
#include "widgets/SpinEdit.h"
#include "widgets/WheelNeedsFocus.h"

namespace {

// Cells that take the room their row leaves; buttons and captions keep their own width.
bool Expands(const PageCell& cell) {
    switch (cell.kind) {
        case CellKind::Button:
            return false;
        case CellKind::Edit:
            return cell.maxLength == 0;
        case CellKind::Text:
            return cell.id != 0;
        default:
            return true;
    }
}

bool IsInput(CellKind kind) {
    return kind != CellKind::Text && kind != CellKind::ReadOnlyText;
}

void KeepPlaceWhenHidden(QWidget* widget) {
    // A control that a rule hides leaves its place empty instead of moving the rows below.
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

void Disable(QWidget* widget) {
    if (auto* spin = qobject_cast<SpinEdit*>(widget)) {
        spin->EnableEdit(false);
        spin->EnableSpin(false);
    } else {
        widget->setEnabled(false);
    }
}

// A row's controls go into the field column. A button that follows a value goes into the
// column after it, so that the values of a group line up whether or not a button follows.
void PlaceCells(QGridLayout* grid, int gridRow, int fieldColumn, const std::vector<PageCell>& cells,
                const std::vector<QWidget*>& widgets) {
    const bool trailingButton = cells.size() > 1 && cells.back().kind == CellKind::Button &&
                                cells.front().kind != CellKind::Button;
    const std::size_t fieldCells = trailingButton ? cells.size() - 1 : cells.size();
    const bool lonelyValue = cells.size() == 1 && cells.front().kind == CellKind::ReadOnlyText;
    const int span = trailingButton || lonelyValue ? 1 : 2;
    if (fieldCells == 1) {
        grid->addWidget(widgets.front(), gridRow, fieldColumn, 1, span);
    } else {
        bool anyExpands = false;
        bool allButtons = true;
        for (std::size_t c = 0; c < fieldCells; ++c) {
            anyExpands = anyExpands || Expands(cells[c]);
            allButtons = allButtons && cells[c].kind == CellKind::Button;
        }
        auto* line = new QHBoxLayout;
        for (std::size_t c = 0; c < fieldCells; ++c) {
            const bool stretch = Expands(cells[c]) || (!anyExpands && allButtons);
            line->addWidget(widgets[c], stretch ? 1 : 0);
        }
        if (!anyExpands && !allButtons) {
            line->addStretch(1);
        }
        grid->addLayout(line, gridRow, fieldColumn, 1, span);
    }
    if (trailingButton) {
        grid->addWidget(widgets.back(), gridRow, fieldColumn + 1);
    }
}

// A one-character edit is as wide as a few characters, not as a line of text.
void FitToCharacters(QLineEdit* edit, int characters) {
    const QFontMetrics metrics = edit->fontMetrics();
    const int text = metrics.horizontalAdvance(QString(characters + 2, QLatin1Char('0')));
    edit->setFixedWidth(text + 2 * edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth));
    edit->setAlignment(Qt::AlignCenter);
}

}  // namespace

ParameterPage::ParameterPage(MainWindow* owner, const PageLayout& layout)
    : owner_(owner),
      templateId_(layout.templateId),
      title_(QString::fromUtf8(layout.title)),
      factoryOnly_(layout.factoryOnly),
      wheelNeedsFocus_(new WheelNeedsFocus(this)) {
    setObjectName(QString("page%1").arg(templateId_));
    InstallAccessibleNames();  // the lists are heard by their labels

    auto* columns = new QHBoxLayout(this);
    columns_ = columns;
    std::vector<QVBoxLayout*> columnLayouts;
    // Per column, the label columns of its groups, made one width so that the fields line up.
    std::vector<std::vector<QGridLayout*>> labelledGrids;
    std::vector<int> labelWidths;
    std::vector<QWidget*> focusOrder;

    for (const PageGroup& group : layout.groups) {
        while (columnLayouts.size() <= static_cast<std::size_t>(group.column)) {
            columnLayouts.push_back(new QVBoxLayout);
            columns->addLayout(columnLayouts.back(), 1);
            labelledGrids.emplace_back();
            labelWidths.push_back(0);
        }
        QWidget* box = group.title != nullptr ? new QGroupBox(QString::fromUtf8(group.title), this)
                                              : new QWidget(this);
        auto* grid = new QGridLayout(box);
        if (group.title == nullptr) {
            grid->setContentsMargins(0, 0, 0, 0);
        }
        const bool labelled = std::any_of(group.rows.begin(), group.rows.end(),
                                          [](const PageRow& row) { return row.label != nullptr; });
        const int fieldColumn = labelled ? 1 : 0;
        grid->setColumnStretch(fieldColumn, 1);

        for (std::size_t r = 0; r < group.rows.size(); ++r) {
            const PageRow& row = group.rows[r];
            const int gridRow = static_cast<int>(r);
            QLabel* label = nullptr;
            if (row.label != nullptr) {
                label = new QLabel(QString::fromUtf8(row.label), box);
                grid->addWidget(label, gridRow, 0);
                if (row.labelId != 0) {
                    label->setObjectName(
                        QString::fromStdString(ControlIds::ObjectName(row.labelId)));
                    controls_[row.labelId] = {label, WidgetClass::None, nullptr, 0};
                }
            }
            // A control is named by its label, else by its group's title.
            const char* rowName = row.label != nullptr ? row.label : group.title;
            const QString name = QString::fromUtf8(rowName != nullptr ? rowName : "").simplified();

            std::vector<QWidget*> widgets;
            for (const PageCell& cell : row.cells) {
                QWidget* widget = CreateCell(cell, box, widgets.empty() ? label : nullptr,
                                             cell.name != nullptr ? QString(cell.name) : name);
                widgets.push_back(widget);
                if (widget->focusPolicy() != Qt::NoFocus) {
                    focusOrder.push_back(widget);
                }
                if (label != nullptr && label->buddy() == nullptr && IsInput(cell.kind)) {
                    label->setBuddy(widget);
                }
            }
            PlaceCells(grid, gridRow, fieldColumn, row.cells, widgets);

            if (row.hidden) {
                if (label != nullptr) {
                    label->hide();
                }
                for (QWidget* widget : widgets) {
                    widget->hide();
                    Disable(widget);
                }
            } else {
                if (label != nullptr) {
                    KeepPlaceWhenHidden(label);
                    labelWidths[group.column] =
                        std::max(labelWidths[group.column], label->sizeHint().width());
                }
                for (QWidget* widget : widgets) {
                    KeepPlaceWhenHidden(widget);
                }
            }
        }
        if (labelled) {
            labelledGrids[group.column].push_back(grid);
        }
        columnLayouts[group.column]->addWidget(box);
    }

    for (std::size_t c = 0; c < columnLayouts.size(); ++c) {
        columnLayouts[c]->addStretch(1);
        for (QGridLayout* grid : labelledGrids[c]) {
            grid->setColumnMinimumWidth(0, labelWidths[c]);
        }
    }
    // Tab goes through the page as it reads: column by column, top to bottom.
    for (std::size_t i = 1; i < focusOrder.size(); ++i) {
        setTabOrder(focusOrder[i - 1], focusOrder[i]);
    }
    ConnectControls();
}

bool ParameterPage::event(QEvent* event) {
    // In a scroll area the page is as wide as the area's viewport or as its own least width:
    // the viewport's width tells how much room there is.
    if (event->type() == QEvent::ParentAboutToChange && parentWidget() != nullptr) {
        parentWidget()->removeEventFilter(this);
    } else if (event->type() == QEvent::ParentChange && parentWidget() != nullptr) {
        parentWidget()->installEventFilter(this);
    }
    return QWidget::event(event);
}

bool ParameterPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        FitWidth(parentWidget()->width());
    }
    return QWidget::eventFilter(watched, event);
}

void ParameterPage::FitWidth(int width) {
    if (columns_->direction() == QBoxLayout::LeftToRight) {
        sideBySideWidth_ = minimumSizeHint().width();
    }
    const QBoxLayout::Direction wanted =
        width < sideBySideWidth_ ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight;
    if (wanted != columns_->direction()) {
        columns_->setDirection(wanted);
    }
}

int ParameterPage::StackedWidth() const {
    int widest = 0;
    for (int i = 0; i < columns_->count(); ++i) {
        widest = std::max(widest, columns_->itemAt(i)->minimumSize().width());
    }
    const QMargins margins = columns_->contentsMargins();
    return widest + margins.left() + margins.right();
}

QWidget* ParameterPage::CreateCell(const PageCell& cell, QWidget* parent, QLabel* label,
                                   const QString& name) {
    QWidget* widget = nullptr;
    WidgetClass widgetClass = WidgetClass::None;
    switch (cell.kind) {
        case CellKind::List: {
            auto* list = new QComboBox(parent);
            wheelNeedsFocus_->Apply(list);
            // Each item carries the value it sends: its own, or its position.
            const bool valued = std::any_of(cell.items.begin(), cell.items.end(),
                                            [](const ListItem& item) { return item.data != 0; });
            for (const ListItem& item : cell.items) {
                list->addItem(QString::fromUtf8(item.text),
                              valued ? item.data : static_cast<int32_t>(list->count()));
            }
            widget = list;
            widgetClass = WidgetClass::ComboBox;
            break;
        }
        case CellKind::SpinEdit: {
            auto* spin = new SpinEdit(parent);
            controls_[cell.spinId] = {spin, WidgetClass::UpDown, label, cell.id};
            widget = spin;
            widgetClass = WidgetClass::Edit;
            break;
        }
        case CellKind::Edit:
        case CellKind::ReadOnlyEdit: {
            auto* edit = new QLineEdit(parent);
            if (cell.maxLength > 0) {
                edit->setMaxLength(cell.maxLength);
                FitToCharacters(edit, cell.maxLength);
            }
            if (cell.kind == CellKind::ReadOnlyEdit) {
                edit->setReadOnly(true);
                // Shown like a field that only displays a value.
                QPalette greyed = edit->palette();
                greyed.setColor(QPalette::Base, greyed.color(QPalette::Window));
                edit->setPalette(greyed);
            }
            widget = edit;
            widgetClass = WidgetClass::Edit;
            break;
        }
        case CellKind::Button: {
            auto* button = new QPushButton(QString::fromUtf8(cell.text), parent);
            // Enter never presses a button; the main window has no default button.
            button->setAutoDefault(false);
            button->setDefault(false);
            widget = button;
            widgetClass = WidgetClass::PushButton;
            break;
        }
        case CellKind::Text:
        case CellKind::ReadOnlyText: {
            auto* text = new QLabel(QString::fromUtf8(cell.text), parent);
            if (cell.kind == CellKind::ReadOnlyText) {
                // Framed and as tall as an edit, like the fields beside it; like a read-only
                // edit, Tab reaches it, and a screen reader reads it out there.
                text->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
                text->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                              Qt::TextSelectableByKeyboard);
                text->setFocusPolicy(Qt::StrongFocus);
                text->setMinimumHeight(QLineEdit().sizeHint().height());
            }
            if (cell.id != 0) {
                // A value the program shows: heard by what it is, not as "-".
                ShowsValue(text, name);
            }
            widget = text;
            break;
        }
    }
    if (IsInput(cell.kind)) {
        widget->setAccessibleName(cell.kind == CellKind::Button && cell.name == nullptr
                                      ? QString::fromUtf8(cell.text)
                                      : name);
    }
    if (cell.id != 0) {
        // Where the value goes: the mnemonic, and the range or the items.
        widget->setToolTip(QString::fromStdString(ControlCatalog::ToolTip(cell.id)));
        widget->setObjectName(QString::fromStdString(ControlIds::ObjectName(cell.id)));
        controls_[cell.id] = {widget, widgetClass, label, cell.spinId};
    }
    return widget;
}

const PageControl* ParameterPage::Find(int32_t id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : &found->second;
}

int32_t ParameterPage::IdOf(const QWidget* widget) const {
    for (const auto& [id, control] : controls_) {
        if (control.widget == widget && control.widgetClass != WidgetClass::UpDown) {
            return id;
        }
    }
    return 0;
}

void ParameterPage::ConnectControls() {
    for (const auto& [id, control] : controls_) {
        const int32_t controlId = id;
        if (auto* spin = qobject_cast<SpinEdit*>(control.widget)) {
            if (control.widgetClass != WidgetClass::Edit) {
                continue;  // one widget, connected once under its edit's id
            }
            connect(spin, &SpinEdit::editingFinished, this, [this, spin, controlId] {
                // An edit that cannot be typed into commits nothing.
                if (spin->IsEditEnabled()) {
                    emit controlEvent(
                        {ControlEvent::EditCommit, controlId, 0, spin->EditText().toStdString()});
                }
            });
            connect(spin, &SpinEdit::stepRequested, this, [this, spin, controlId](int steps) {
                emit controlEvent(
                    {ControlEvent::SpinDelta, controlId, steps, spin->EditText().toStdString()});
            });
        } else if (auto* list = qobject_cast<QComboBox*>(control.widget)) {
            connect(list, &QComboBox::activated, this, [this, list, controlId](int index) {
                emit controlEvent(
                    {ControlEvent::ComboSelect, controlId, list->itemData(index).toInt(), {}});
            });
        } else if (auto* edit = qobject_cast<QLineEdit*>(control.widget)) {
            connect(edit, &QLineEdit::editingFinished, this, [this, edit, controlId] {
                if (!edit->isReadOnly()) {
                    emit controlEvent(
                        {ControlEvent::EditCommit, controlId, 0, edit->text().toStdString()});
                }
            });
        } else if (auto* button = qobject_cast<QPushButton*>(control.widget)) {
            connect(button, &QPushButton::clicked, this, [this, controlId] {
                emit controlEvent({ControlEvent::PushClick, controlId, 0, {}});
            });
        }
    }
}
