#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>
#include <map>

#include "core/WidgetClass.h"
#include "presenters/ControlEvent.h"

class MainWindow;
class QBoxLayout;
class QLabel;
class WheelNeedsFocus;
struct PageCell;
struct PageLayout;

// A control of a page as the main window finds it by id. A numeric edit and its spin are one
// widget with two ids: the edit id classifies as Edit, the spin id as UpDown.
struct PageControl {
    QWidget* widget = nullptr;
    WidgetClass widgetClass = WidgetClass::None;
    QLabel* label = nullptr;  // the row's label, shown and hidden with the control
    int32_t partner = 0;      // the spin of an edit, the edit of a spin; 0 for none
};

// One parameter page of the main window's tab control, built from its description. It turns
// the operator's actions on its controls into control events and does nothing else with them.
class ParameterPage : public QWidget {
    Q_OBJECT
public:
    ParameterPage(MainWindow* owner, const PageLayout& layout);

    MainWindow* Owner() const { return owner_; }
    int TemplateId() const { return templateId_; }
    const QString& Title() const { return title_; }
    // The page gets a tab only in factory mode.
    bool FactoryOnly() const { return factoryOnly_; }

    // The control with this id, or null.
    const PageControl* Find(int32_t id) const;
    // The id under which the widget is found (the edit's id for a numeric edit); 0 for none.
    int32_t IdOf(const QWidget* widget) const;
    const std::map<int32_t, PageControl>& Controls() const { return controls_; }
    // The least width of the page, its columns one below the other.
    int StackedWidth() const;

signals:
    void controlEvent(const ControlAction& action);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Its columns side by side where the width holds them, else one below the other, so that
    // a narrow window scrolls the page down instead of hiding a column to the right.
    void FitWidth(int width);
    QWidget* CreateCell(const PageCell& cell, QWidget* parent, QLabel* label, const QString& name);
    void ConnectControls();

    MainWindow* owner_;
    int templateId_;
    QString title_;
    bool factoryOnly_;
    WheelNeedsFocus* wheelNeedsFocus_;
    std::map<int32_t, PageControl> controls_;
    QBoxLayout* columns_ = nullptr;
    int sideBySideWidth_ = 0;  // the least width that holds the columns side by side
};
