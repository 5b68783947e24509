#pragma once

#include <QString>
#include <QWidget>

class MainWindow;

// One parameter page of the main window's tab control.
class ParameterPage : public QWidget {
    Q_OBJECT
public:
    ParameterPage(MainWindow* owner, int templateId, const QString& title, bool factoryOnly);

    MainWindow* Owner() const { return owner_; }
    int TemplateId() const { return templateId_; }
    const QString& Title() const { return title_; }
    // The page gets a tab only in factory mode.
    bool FactoryOnly() const { return factoryOnly_; }

private:
    MainWindow* owner_;
    int templateId_;
    QString title_;
    bool factoryOnly_;
};
