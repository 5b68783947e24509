#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>
#include <string>

#include "core/ProgressSink.h"

class ProcessContext;
class QLabel;
class QProgressBar;

// The progress window of long camera operations: a small window without caption over its
// owner, a bar from 0 to 100 and a message. The owner is disabled while the window is shown
// and enabled again whenever it closes or is destroyed. One instance serves every operation.
// A plain window rather than a QDialog: it has no buttons and Escape must not end it.
class ProgressDialog : public QWidget, public ProgressSink {
    Q_OBJECT
public:
    // How long EndProgress keeps the full bar on screen.
    static constexpr int kFinalHoldMs = 1000;

    ProgressDialog();
    ~ProgressDialog() override;

    // Hides the interface's quiet default, which the process context would otherwise use to
    // make this class.
    static std::unique_ptr<ProgressDialog> CreateDefault(ProcessContext& context);

    // The owner taken when none is given.
    void SetMainWindow(QWidget* mainWindow);

    // Opens the window over its owner (else the main window), which it disables.
    void ShowProgress(OperatorWindow* owner, const std::string& message) override;
    void ShowProgress(QWidget* owner, const std::string& message);
    void SetProgressMessage(const std::string& message) override;
    // Only while shown.
    void SetProgress(int percent) override;
    // Only while shown: the full bar for a second, then the owner becomes active and the window
    // closes. Meanwhile the windows keep painting and the program's open windows take no input;
    // a message box that opens in that second (from the receive drain, say) can be answered.
    void EndProgress() override;

    QWidget* Owner() const { return owner_; }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void PlaceOver(QWidget* owner);
    void ReleaseOwner();

    QPointer<QWidget> mainWindow_;
    QPointer<QWidget> owner_;
    QString message_;
    QProgressBar* bar_ = nullptr;
    QLabel* text_ = nullptr;
};
