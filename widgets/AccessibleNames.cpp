#include "widgets/AccessibleNames.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QVariant>
#include <algorithm>

namespace {

// Set on a label that shows a value; a picture's state, where it shows one.
const char kShowsValue[] = "rvShowsValue";
const char kState[] = "rvState";

// What a control shows, read only and with nothing selected, as the text a screen reader reads
// out beside the control's name.
class ShownText : public QAccessibleTextInterface {
public:
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override {
        const QString shown = Shown();
        return end < 0 ? shown.mid(start) : shown.mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(Shown().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = std::max(offset, 0);
        *end = *start;
        return {};
    }

protected:
    virtual QString Shown() const = 0;
};

// A drop-down list as Qt presents it, but named by what it is for. Its parts are those of any
// list: the drop-down view, and the edit of an editable one.
class AccessibleList : public QAccessibleWidget, public ShownText {
public:
    explicit AccessibleList(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    // The item as the list's text too: screen readers on Linux read it from there. An editable
    // list's edit tells its own text.
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface && !List()->isEditable()) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    int childCount() const override { return List()->isEditable() ? 2 : 1; }

    QAccessibleInterface* child(int index) const override {
        if (index == 0) {
            return QAccessible::queryAccessibleInterface(List()->view());
        }
        if (index == 1 && List()->isEditable()) {
            return QAccessible::queryAccessibleInterface(List()->lineEdit());
        }
        return nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr) {
            return -1;
        }
        if (child->object() == List()->view()) {
            return 0;
        }
        return List()->isEditable() && child->object() == List()->lineEdit() ? 1 : -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        if (List()->isEditable()) {
            const QPoint local = List()->lineEdit()->mapFromGlobal(QPoint(x, y));
            if (List()->lineEdit()->rect().contains(local)) {
                return child(1);
            }
        }
        return nullptr;
    }

    // An editable list hands its focus to its edit.
    QAccessibleInterface* focusChild() const override {
        return List()->isEditable() ? child(1) : nullptr;
    }

    using ShownText::text;
    QString text(QAccessible::Text t) const override {
        const QString item = Shown();
        if (t == QAccessible::Value) {
            return item;
        }
        // Its accessible name, else its label's text, else the group box it sits in.
        const QString own = QAccessibleWidget::text(t);
        // A list that nothing names is better heard by its item than not at all.
        return t == QAccessible::Name && own.isEmpty() ? item : own;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }

    void doAction(const QString& action) override {
        if (action != showMenuAction() && action != pressAction()) {
            QAccessibleWidget::doAction(action);
        } else if (List()->view()->isVisible()) {
            List()->hidePopup();
        } else {
            List()->showPopup();
        }
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

protected:
    QString Shown() const override {
        return List()->isEditable() ? List()->lineEdit()->text() : List()->currentText();
    }

private:
    QComboBox* List() const { return static_cast<QComboBox*>(widget()); }
};

// A label that shows a value, or a picture that shows a state: named by what it shows, with
// the value as its value and as its text, so that a screen reader reads both.
class AccessibleValue : public QAccessibleWidget, public ShownText {
public:
    explicit AccessibleValue(QLabel* label) : QAccessibleWidget(label) {}

    // A value framed like a field is a field the operator only reads: screen readers read a
    // read-only field's text out where they would say no more than a label's name.
    QAccessible::Role role() const override {
        const auto* label = static_cast<const QLabel*>(widget());
        if (!label->pixmap().isNull()) {
            return QAccessible::Graphic;
        }
        return label->frameShape() != QFrame::NoFrame ? QAccessible::EditableText
                                                      : QAccessible::StaticText;
    }

    QAccessible::State state() const override {
        QAccessible::State held = QAccessibleWidget::state();
        held.readOnly = role() == QAccessible::EditableText;
        return held;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    using ShownText::text;
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? Shown() : QAccessibleWidget::text(t);
    }

protected:
    QString Shown() const override {
        const QVariant state = widget()->property(kState);
        return state.isValid() ? state.toString() : static_cast<QLabel*>(widget())->text();
    }
};

// Tab into an edit selects its text: Qt tells screen readers of the selection and the caret
// before it tells the focus, and Orca, taking the caret for the focus, never says which edit
// it came to. While a screen reader listens, the edit takes the focus without selecting, and
// selects its text once the focus has been told.
class FocusToldFirst : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::FocusIn || !QAccessible::isActive()) {
            return false;
        }
        auto* edit = qobject_cast<QLineEdit*>(watched);
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (edit == nullptr || !edit->inputMask().isEmpty() || edit->hasSelectedText() ||
            (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason &&
             reason != Qt::ShortcutFocusReason)) {
            return false;
        }
        QFocusEvent unselecting(QEvent::FocusIn, Qt::OtherFocusReason);
        QCoreApplication::sendEvent(edit, &unselecting);
        QMetaObject::invokeMethod(
            edit,
            [edit] {
                if (edit->hasFocus() && !edit->hasSelectedText()) {
                    edit->selectAll();
                }
            },
            Qt::QueuedConnection);
        return true;
    }
};

QAccessibleInterface* MakeInterface(const QString& className, QObject* object) {
    if (className == QLatin1String("QComboBox")) {
        return new AccessibleList(static_cast<QComboBox*>(object));
    }
    if (className == QLatin1String("QLabel") && object->property(kShowsValue).toBool()) {
        return new AccessibleValue(static_cast<QLabel*>(object));
    }
    return nullptr;
}

void MarkValue(QLabel* label, const QString& name) {
    InstallAccessibleNames();
    // Set again, the same name would be announced as changed, on every reading of the camera.
    if (label->accessibleName() != name) {
        label->setAccessibleName(name);
    }
    if (label->property(kShowsValue).toBool()) {
        return;
    }
    label->setProperty(kShowsValue, true);
    // An interface made before the label was marked would keep presenting it as plain text.
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(label);
    if (made != nullptr && dynamic_cast<AccessibleValue*>(made) == nullptr) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

}  // namespace

void InstallAccessibleNames() {
    // Qt asks the factories installed last first, so these come before its own.
    QAccessible::installFactory(&MakeInterface);
    static QPointer<FocusToldFirst> focusToldFirst;
    if (focusToldFirst == nullptr && QCoreApplication::instance() != nullptr) {
        focusToldFirst = new FocusToldFirst(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(focusToldFirst);
    }
}

void ShowsValue(QLabel* label, const QString& name) {
    MarkValue(label, name);
}

void ShowsState(QLabel* picture, const QString& name, const QString& state) {
    MarkValue(picture, name);
    if (picture->property(kState).toString() == state) {
        return;
    }
    picture->setProperty(kState, state);
    picture->setToolTip(state);
    QAccessibleValueChangeEvent changed(picture, state);
    QAccessible::updateAccessibility(&changed);
}
