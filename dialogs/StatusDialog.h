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

protected:
    // Puts the dialog's own contents above the status strip; call once from the constructor.
    void SetContents(QLayout* contents);
    ProcessContext& Context() { return context_; }
    // Enter closes the dialog as accepted, sending nothing, unless a button has the focus, which
    // it presses. Without this, Enter does what it does in any QDialog.
    void CloseOnEnter() { closeOnEnter_ = true; }

    void keyPressEvent(QKeyEvent* event) override;

private:
    ProcessContext& context_;
    QLabel* statusPicture_;
    bool closeOnEnter_ = false;
    std::unique_ptr<SharedWindowRegistration> registration_;
};
