#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "app/MainWindow.h"
#include "app/WidgetServices.h"
#include "controls/ControlCatalog.h"
#include "controls/ControlIds.h"
#include "controls/ControlTable.h"
#include "tests/support/TestContext.h"

namespace {

using namespace ControlIds;

// A control the operator can work: lists, numeric edits, edits and buttons (the line edit
// inside a numeric edit is part of it).
bool IsInput(const QWidget* widget) {
    if (qobject_cast<const QLineEdit*>(widget) != nullptr) {
        return qobject_cast<const QAbstractSpinBox*>(widget->parentWidget()) == nullptr;
    }
    return qobject_cast<const QComboBox*>(widget) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(widget) != nullptr ||
           qobject_cast<const QAbstractButton*>(widget) != nullptr;
}

class MainWindowPagesTest : public testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<MainWindow>(test.Context());
        window->Initialise();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    QWidget* Control(int32_t id) {
        return window->findChild<QWidget*>(QString::fromStdString(ControlIds::ObjectName(id)));
    }

    TestContext test{ProvideWidgetServices};
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowPagesTest, EveryTableControlIsOnAPageAndEveryInputHasAName) {
    for (const ControlEntry& row : test.Context().Get<ControlTable>().Entries()) {
        SCOPED_TRACE(row.ctrlId);
        if (row.kind == kListControl) {
            EXPECT_EQ(window->ClassifyControl(row.ctrlId), WidgetClass::ComboBox);
        } else if (row.kind == kSpinEditControl) {
            EXPECT_EQ(window->ClassifyControl(row.ctrlId), WidgetClass::Edit);
            const int32_t spin = window->SpinOf(row.ctrlId);
            EXPECT_EQ(window->ClassifyControl(spin), WidgetClass::UpDown);
            EXPECT_EQ(window->BuddyOf(spin), row.ctrlId);
        } else {
            EXPECT_EQ(window->ClassifyControl(row.ctrlId), WidgetClass::PushButton);
        }
    }
    // Screen readers and test robots find a control by its name, so each needs its own.
    for (ParameterPage* page : window->Pages()) {
        QStringList names;
        for (QWidget* widget : page->findChildren<QWidget*>()) {
            const bool neverShown = !widget->isVisibleTo(page) && !widget->isEnabled();
            if (!IsInput(widget) || neverShown) {
                continue;
            }
            EXPECT_FALSE(widget->accessibleName().isEmpty())
                << page->Title().toStdString() << ": " << widget->objectName().toStdString();
            EXPECT_FALSE(names.contains(widget->accessibleName()))
                << page->Title().toStdString() << ": " << widget->accessibleName().toStdString();
            names << widget->accessibleName();
        }
    }
}

// rvctl and the tests name a parameter as the catalog does; the operator must find it so too.
TEST_F(MainWindowPagesTest, EveryCatalogEntryIsOnItsPageUnderItsNameWithItsItems) {
    for (const CatalogEntry& entry : ControlCatalog::Entries()) {
        SCOPED_TRACE(entry.ctrlId);
        QWidget* control = nullptr;
        for (ParameterPage* page : window->Pages()) {
            if (page->Title() == entry.page) {
                control = page->findChild<QWidget*>(
                    QString::fromStdString(ControlIds::ObjectName(entry.ctrlId)));
            }
        }
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->accessibleName().toStdString(), entry.name);
        if (auto* list = qobject_cast<QComboBox*>(control)) {
            ASSERT_EQ(list->count(), static_cast<int>(entry.items.size()));
            for (int i = 0; i < list->count(); ++i) {
                EXPECT_EQ(list->itemText(i).toStdString(), entry.items[i].text);
                EXPECT_EQ(
                    window->ItemData(entry.ctrlId, i) != 0 ? window->ItemData(entry.ctrlId, i) : i,
                    entry.items[i].value)
                    << "the value the binding sends for the item";
            }
        }
    }
}

// The page control whose widget carries the object name; 0 for none.
int32_t IdOfWidget(const QWidget* widget) {
    const std::string name = widget->objectName().toStdString();
#define RV_ID_OF_NAME(constant, id)           \
    if (ControlIds::ObjectName(id) == name) { \
        return id;                            \
    }
    RV_CONTROL_IDS(RV_ID_OF_NAME)
#undef RV_ID_OF_NAME
    return 0;
}

// What the window shows maps onto settings files and the command line.
TEST_F(MainWindowPagesTest, EveryInputTellsItsMnemonicAndRangeOrItems) {
    for (ParameterPage* page : window->Pages()) {
        for (QWidget* widget : page->findChildren<QWidget*>()) {
            const bool neverShown = !widget->isVisibleTo(page) && !widget->isEnabled();
            const bool value = qobject_cast<QComboBox*>(widget) != nullptr ||
                               qobject_cast<QAbstractSpinBox*>(widget) != nullptr ||
                               (qobject_cast<QLineEdit*>(widget) != nullptr && IsInput(widget));
            if (!value || neverShown) {
                continue;
            }
            SCOPED_TRACE(widget->accessibleName().toStdString());
            const std::string tip = ControlCatalog::ToolTip(IdOfWidget(widget));
            EXPECT_FALSE(tip.empty());
            EXPECT_EQ(widget->toolTip().toStdString(), tip);
        }
    }
    EXPECT_EQ(Control(kGainLevel)->toolTip(), "GA: 100 to 1600");
    EXPECT_EQ(Control(kOnePush)->toolTip(), "AR");
}

TEST_F(MainWindowPagesTest, ControlsTheCameraDoesNotOfferStayHiddenAndDisabled) {
    for (int32_t id : {kExposureAuto, kExposureAutoMax, kExposureAutoMin, kGainAuto, kGainAutoMax,
                       kGainAutoMin, kAlcReference, kAlcSpeed, kSaveFactoryArea}) {
        SCOPED_TRACE(id);
        QWidget* control = Control(id);
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(control->isHidden());
        EXPECT_FALSE(control->isEnabled());
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (label->buddy() == control) {
                EXPECT_TRUE(label->isHidden());
            }
        }
    }
    EXPECT_TRUE(Control(kGainAutoLabel)->isHidden());
}

}  // namespace
