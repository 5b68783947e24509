#pragma once

#include <QString>
#include <QWidget>

class CCtrlToolDlg;

// One parameter page of the main window's tab control.
class CTabSheetDialog : public QWidget {
    Q_OBJECT
public:
    CTabSheetDialog(CCtrlToolDlg* owner, int templateId, const QString& title, bool factoryOnly);

    CCtrlToolDlg* Owner() const { return owner_; }
    int TemplateId() const { return templateId_; }
    const QString& Title() const { return title_; }
    // The page gets a tab only in factory mode.
    bool FactoryOnly() const { return factoryOnly_; }

private:
    CCtrlToolDlg* owner_;
    int templateId_;
    QString title_;
    bool factoryOnly_;
};
