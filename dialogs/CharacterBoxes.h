#pragma once

#include <QString>
#include <QWidget>
#include <vector>

class QLineEdit;

// A row of one-character boxes that together hold a short identifier. Typed or pasted text
// fills the boxes in turn from the box being edited, as one field would take it; what runs past
// the last box is dropped. Backspace in an empty box goes back to the box before.
class CharacterBoxes : public QWidget {
    Q_OBJECT
public:
    // count boxes, named name1, name2, ... in their order.
    CharacterBoxes(const QString& name, std::size_t count, QWidget* parent = nullptr);

    std::size_t Count() const { return boxes_.size(); }
    QLineEdit* Box(std::size_t index) const { return boxes_[index]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Spread(std::size_t index, const QString& text);
    void Enter(std::size_t index);

    std::vector<QLineEdit*> boxes_;
};
