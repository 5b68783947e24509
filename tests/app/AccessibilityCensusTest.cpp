#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/WidgetServices.h"
#include "core/ControlMode.h"
#include "core/OperatorDialogs.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/AreaSelectDialog.h"
#include "dialogs/CameraIdDialog.h"
#include "dialogs/CommunicationDialog.h"
#include "dialogs/CompareDialog.h"
#include "dialogs/LutEditor.h"
#include "dialogs/MonitorWindow.h"
#include "dialogs/TerminalDialog.h"
#include "dialogs/UserIdDialog.h"
#include "tests/support/FastWaitClock.h"
#include "tests/support/ScopedComPort.h"
#include "tests/support/SimProcess.h"
#include "tests/support/TestContext.h"
#include "widgets/ProgressDialog.h"
#include "widgets/StatusStrip.h"

namespace {

// What a screen reader says a control is: an input, a button, a list or a picture.
bool Announced(const QAccessibleInterface& node) {
    switch (node.role()) {
        case QAccessible::PushButton:
        case QAccessible::CheckBox:
        case QAccessible::RadioButton:
        case QAccessible::ComboBox:
        case QAccessible::EditableText:
        case QAccessible::SpinBox:
        case QAccessible::Slider:
        case QAccessible::ProgressBar:
        case QAccessible::List:
        case QAccessible::Table:
        case QAccessible::Tree:
        case QAccessible::Graphic:
        case QAccessible::Canvas:
            return true;
        case QAccessible::Border:
            // A frame with nothing in it paints something of its own: a picture.
            return node.childCount() == 0;
        default:
            break;
    }
    // A label framed like a field shows a value.
    const auto* label = qobject_cast<const QLabel*>(node.object());
    return label != nullptr && label->frameShape() != QFrame::NoFrame;
}

// What the control shows at the moment; a name that is only this tells nothing of what it is.
QString Shown(const QAccessibleInterface& node) {
    QObject* object = node.object();
    if (auto* list = qobject_cast<QComboBox*>(object)) {
        return list->currentText();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(object)) {
        return edit->text();
    }
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(object)) {
        return spin->text();
    }
    if (auto* label = qobject_cast<QLabel*>(object)) {
        return label->text();
    }
    return {};
}

// Every announced control under the root without a name of its own, with its role and what
// it is called instead.
void Census(QAccessibleInterface* node, const QString& path, QStringList& unnamed) {
    // Parts without an object of their own (a tab, a row of a table) are named by their texts.
    if (node == nullptr || node->object() == nullptr) {
        return;
    }
    const QString name = node->text(QAccessible::Name).simplified();
    const QString where = path + "/" + node->object()->objectName();
    if (Announced(*node)) {
        const QString shown = Shown(*node).simplified();
        const bool hasWords = name.contains(QRegularExpression("[A-Za-z]"));
        if (!hasWords || (!shown.isEmpty() && name == shown)) {
            unnamed << QString("%1 (%2, role 0x%3) is called \"%4\"")
                           .arg(where, node->object()->metaObject()->className())
                           .arg(node->role(), 0, 16)
                           .arg(name);
        }
        // A list's name is a word or two; its tooltip says what choosing an item does.
        if (node->role() == QAccessible::ComboBox &&
            node->text(QAccessible::Description).isEmpty()) {
            unnamed << QString("%1 does not say what it is for").arg(where);
        }
        // Named by what it is, it still tells what it holds.
        const QString value = node->text(QAccessible::Value).simplified();
        if (!shown.isEmpty() && value != shown) {
            unnamed << QString("%1 tells \"%2\" but shows \"%3\"").arg(where, value, shown);
        }
    }
    // A list's drop-down and a spin's edit are parts of it, heard with it; the items of a list
    // or a table are its contents.
    switch (node->role()) {
        case QAccessible::ComboBox:
        case QAccessible::SpinBox:
        case QAccessible::List:
        case QAccessible::Table:
        case QAccessible::Tree:
            return;
        default:
            break;
    }
    for (int i = 0; i < node->childCount(); ++i) {
        Census(node->child(i), where, unnamed);
    }
}

QStringList Census(QWidget* window) {
    QStringList unnamed;
    Census(QAccessible::queryAccessibleInterface(window), window->metaObject()->className(),
           unnamed);
    return unnamed;
}

QString NameOf(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// The controls Tab stops at, in the order it takes them: those that take the focus by Tab and
// are shown and usable.
std::vector<QWidget*> TabStops(QWidget* window) {
    std::vector<QWidget*> stops;
    for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) != 0 && w->isVisibleTo(window) && w->isEnabled() &&
            w->focusProxy() == nullptr) {
            stops.push_back(w);
        }
    }
    return stops;
}

// Where Tab goes back against the reading order inside a group: up to a row above, or left
// within one row.
QStringList AgainstReading(QWidget* window) {
    QStringList backwards;
    const std::vector<QWidget*> stops = TabStops(window);
    for (std::size_t i = 1; i < stops.size(); ++i) {
        QWidget* from = stops[i - 1];
        QWidget* to = stops[i];
        auto* group = qobject_cast<QGroupBox*>(to->parentWidget());
        if (group == nullptr || from->parentWidget() != group) {
            continue;  // from one group to the next: the groups' own order
        }
        const QRect a(from->mapTo(group, QPoint()), from->size());
        const QRect b(to->mapTo(group, QPoint()), to->size());
        const bool sameRow = b.center().y() >= a.top() && b.center().y() <= a.bottom();
        const bool below = b.center().y() > a.bottom();
        if (!below && !(sameRow && b.left() > a.left())) {
            backwards << QString("\"%1\" to \"%2\" in \"%3\"")
                             .arg(NameOf(from), NameOf(to), group->title());
        }
    }
    return backwards;
}

// The values framed like fields that Tab does not reach or a screen reader would not read out.
QStringList UnheardValues(QWidget* window) {
    QStringList unheard;
    const std::vector<QWidget*> stops = TabStops(window);
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->frameShape() == QFrame::NoFrame || !label->isVisibleTo(window) ||
            !label->pixmap().isNull() || label->window() != window) {
            continue;
        }
        if (std::find(stops.begin(), stops.end(), label) == stops.end()) {
            unheard << NameOf(label) + ": Tab does not reach it";
        }
        QAccessibleInterface* field = QAccessible::queryAccessibleInterface(label);
        if (field->role() != QAccessible::EditableText || !field->state().readOnly ||
            field->textInterface() == nullptr ||
            field->textInterface()->text(0, -1) != label->text()) {
            unheard << NameOf(label) + ": not a read-only field holding its value";
        }
    }
    return unheard;
}

class AccessibilityCensusTest : public testing::Test {
protected:
    // The window on the simulated camera, as the operator has it: every list shows an item.
    void SetUp() override {
        ASSERT_TRUE(camera.Start({"--no-pacing"}));
        com1 = std::make_unique<ScopedComPort>(1, camera.DevicePath());
        test.Context().Get<ControlMode>().Set(1);  // every page and every dialog's control
        window = std::make_unique<MainWindow>(test.Context());
        window->Initialise();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->ConnectAtStart();
        ASSERT_TRUE(test.Context().Get<StatusStrip>().IsOnline());
    }
    QWidget* LutEditorWindow() {
        window->ShowLutEditor(true);
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (qobject_cast<LutEditor*>(top) != nullptr) {
                return top;
            }
        }
        return nullptr;
    }

    // Every window the menus reach, each with what opens it.
    std::vector<std::pair<const char*, std::function<QWidget*()>>> Windows() {
        ProcessContext& context = test.Context();
        return {
            {"main window", [this] { return window.get(); }},
            {"communication", [this] { return window->Communication(); }},
            {"terminal",
             [this] {
                 window->ShowTerminal();
                 return window->Terminal();
             }},
            {"LUT editor", [this] { return LutEditorWindow(); }},
            {"progress", [&context] { return &context.Get<ProgressDialog>(); }},
            {"about", [this, &context] { return Keep(new AboutDialog(context)); }},
            {"area select",
             [this, &context] { return Keep(new AreaSelectDialog(context, choice)); }},
            {"camera id", [this, &context] { return Keep(new CameraIdDialog(context)); }},
            {"user id", [this, &context] { return Keep(new UserIdDialog(context)); }},
            {"compare", [this] { return Keep(new CompareDialog(comparison)); }},
            {"monitor", [this, &context] { return Keep(new MonitorWindow(context, {})); }},
        };
    }
    QWidget* Keep(QWidget* dialog) { return dialogs.emplace_back(dialog).get(); }

    // Every window opened and shown, the main window once with each of its pages, and what the
    // check finds wrong in each.
    void ExpectOfEveryWindow(const std::function<QStringList(QWidget*)>& findFaults) {
        for (const auto& [title, open] : Windows()) {
            SCOPED_TRACE(title);
            QWidget* opened = open();
            ASSERT_NE(opened, nullptr);
            opened->show();
            QApplication::processEvents();
            const int pages = opened == window.get() ? window->TabControl()->count() : 1;
            for (int page = 0; page < pages; ++page) {
                if (opened == window.get()) {
                    window->TabControl()->setCurrentIndex(page);
                    QApplication::processEvents();
                }
                const QStringList faults = findFaults(opened);
                EXPECT_TRUE(faults.isEmpty()) << faults.join("\n").toStdString();
            }
        }
    }

    ChoiceRequest choice{nullptr, "Load settings", "Area to load", {"User 1 Data", "User 2 Data"}};
    ComparisonRequest comparison{nullptr,
                                 "The camera differs from day.cam in 1 of 2 parameters.",
                                 {{"User A", "Gain Level", "GA", "400", "410", true},
                                  {"User A", "Black Level", "BL", "0", "0", false}}};
    TestContext test{FastWaitClock::After(ProvideWidgetServices)};
    SimProcess camera;
    std::unique_ptr<ScopedComPort> com1;
    std::unique_ptr<MainWindow> window;
    std::vector<std::unique_ptr<QWidget>> dialogs;
};

// Every window the menus reach, walked as a screen reader walks it: each input, button, list
// and picture is heard by what it is, not by nothing and not by the value it holds.
TEST_F(AccessibilityCensusTest, EveryControlOfEveryWindowHasAName) {
    const auto windows = Windows();
    for (const auto& [title, open] : windows) {
        SCOPED_TRACE(title);
        QWidget* opened = open();
        ASSERT_NE(opened, nullptr);
        const QStringList unnamed = Census(opened);
        EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join("\n").toStdString();
    }
}

// Tab goes from control to control: each stop is a control a screen reader can name. A stop
// at a part of the window that is none (the page's scroll area) is heard as nothing at all.
TEST_F(AccessibilityCensusTest, TabStopsOnlyAtNamedControls) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTabWidget* tabs = window->TabControl();
    tabs->tabBar()->setFocus(Qt::TabFocusReason);
    QStringList unnamed;
    for (int i = 0; i < 40; ++i) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(focused);
        const QString name = node->text(QAccessible::Name);
        if (!name.contains(QRegularExpression("[A-Za-z]"))) {
            unnamed << QString("%1 (%2, role 0x%3)")
                           .arg(focused->objectName(), focused->metaObject()->className())
                           .arg(node->role(), 0, 16);
        }
        QTest::keyClick(focused, Qt::Key_Tab);
        if (QApplication::focusWidget() == tabs->tabBar()) {
            break;  // round the page and back
        }
    }
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join("\n").toStdString();
}

// Tab goes through each group as it reads, row by row and left to right: a screen reader's
// user, who cannot see the rows, hears the controls in the order the sighted read them.
TEST_F(AccessibilityCensusTest, TabGoesThroughEachGroupInReadingOrder) {
    ExpectOfEveryWindow(AgainstReading);
}

// A screen reader reads the window's status bar on request (Orca: Insert+Enter twice): the
// status line is one, and it holds what the last operation came to, whole.
TEST_F(AccessibilityCensusTest, StatusLineIsTheWindowsStatusBar) {
    QAccessibleInterface* bar = nullptr;
    std::function<void(QAccessibleInterface*)> find = [&](QAccessibleInterface* node) {
        for (int i = 0; node != nullptr && bar == nullptr && i < node->childCount(); ++i) {
            QAccessibleInterface* child = node->child(i);
            if (child != nullptr && child->role() == QAccessible::StatusBar) {
                bar = child;
            } else {
                find(child);
            }
        }
    };
    find(QAccessible::queryAccessibleInterface(window.get()));
    ASSERT_NE(bar, nullptr);
    QStringList said;
    std::function<void(QAccessibleInterface*)> read = [&](QAccessibleInterface* node) {
        for (int i = 0; i < node->childCount(); ++i) {
            said << node->child(i)->text(QAccessible::Name);
            read(node->child(i));
        }
    };
    read(bar);
    EXPECT_TRUE(said.join(" ").contains("found at")) << said.join(" | ").toStdString();
}

// A value the operator reads back (a limit the camera told) stands in a field of its own: Tab
// reaches it, and a screen reader hears a read-only field holding the value. As a label it
// would be heard by its name only, without the value.
TEST_F(AccessibilityCensusTest, TabReachesEveryValueShownInAFieldAndHearsTheValue) {
    ExpectOfEveryWindow(UnheardValues);
}

}  // namespace
