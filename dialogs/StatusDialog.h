#pragma once

#include <memory>

#include <QDialog>

#include "core/OperatorWindow.h"
#include "widgets/OnlineStatusUpdater.h"

class ProcessContext;
class SharedWindowRegistration;
class QKeyEvent;
class QLabel;
class QLayout;

// A dialog of the program: the online-status strip along its bottom, and registered so that
// long camera operations disable it with the others. Registered from construction to
// destruction.
class StatusDialog : public QDialog, public OnlineStatusUpdater, public OperatorWindow {
    Q_OBJECT
public:
    StatusDialog(ProcessContext& context, const QString& caption, QWidget* parent = nullptr);
    ~StatusDialog() override;

    // A dialog whose flow refused it (a factory function in user mode) stays shut: exec ends at
    // once, rejected, and showing it shows nothing.
    int exec() override;
    void setVisible(bool visible) override;

protected:
    // From the constructor, when the flow refused the dialog.
    void StayShut() { shut_ = true; }
    // Puts the dialog's own contents above the status strip; call once from the constructor.
    void SetContents(QLayout* contents);
    ProcessContext& Context() { return context_; }
    // Enter closes the dialog as accepted, sending nothing, unless a button has the focus, which
    // it presses. Without this, Enter does what it does in any QDialog.
    void CloseOnEnter() { closeOnEnter_ = true; }

    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Sizes the dialog to its contents, or to the screen where that is smaller.
    void FitToScreen();

    ProcessContext& context_;
    QLabel* statusPicture_;
    bool closeOnEnter_ = false;
    bool shut_ = false;
    std::unique_ptr<SharedWindowRegistration> registration_;
};
