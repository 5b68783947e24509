#include "dialogs/CharacterBoxes.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>

CharacterBoxes::CharacterBoxes(const QString& name, std::size_t count, QWidget* parent)
    : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    for (std::size_t i = 0; i < count; ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(name + QString::number(i + 1));
        box->setFixedWidth(box->fontMetrics().horizontalAdvance("WW") + 10);
        box->setAlignment(Qt::AlignCenter);
        box->installEventFilter(this);
        // No length limit: a pasted text must arrive whole to be spread over the boxes.
        connect(box, &QLineEdit::textEdited, this,
                [this, i](const QString& text) { Spread(i, text); });
        boxes_.push_back(box);
        row->addWidget(box);
    }
}

void CharacterBoxes::Spread(std::size_t index, const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    std::size_t next = index;
    for (const QChar character : text) {
        if (next == boxes_.size()) {
            break;
        }
        boxes_[next++]->setText(character);
    }
    Enter(std::min(next, boxes_.size() - 1));
}

void CharacterBoxes::Enter(std::size_t index) {
    QLineEdit* box = boxes_[index];
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
}

bool CharacterBoxes::eventFilter(QObject* watched, QEvent* event) {
    const auto found = std::find(boxes_.begin(), boxes_.end(), watched);
    if (found == boxes_.end()) {
        return false;
    }
    const std::size_t index = static_cast<std::size_t>(found - boxes_.begin());
    if (event->type() == QEvent::FocusIn) {
        // A character typed into a box replaces the one it holds. Selected once the click
        // that gave the focus has placed the cursor.
        QTimer::singleShot(0, *found, [box = *found] {
            if (box->hasFocus()) {
                box->selectAll();
            }
        });
    } else if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Backspace && (*found)->text().isEmpty() && index > 0) {
            Enter(index - 1);
            return true;
        }
    }
    return false;
}
