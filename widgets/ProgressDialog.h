#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>
#include <string>

#include "core/ProgressSink.h"

class CancelToken;
class ProcessContext;
class QLabel;
class QProgressBar;
class QPushButton;
class WaitClock;

// The progress window of long camera operations: a small window without caption over its
// owner, a bar from 0 to 100 and a message. The owner is disabled while the window is shown
// and enabled again whenever it closes or is destroyed. One instance serves every operation.
// A plain window rather than a QDialog: its "Cancel" asks the operation to stop after the
// request in flight, and so does Escape in any of the program's windows while it is shown;
// nothing closes it but the operation's end.
class ProgressDialog : public QWidget, public ProgressSink {
    Q_OBJECT
public:
    // How long EndProgress keeps the full bar on screen.
    static constexpr int kFinalHoldMs = 1000;

    // cancel: what "Cancel" requests; without one the button is not shown. clock: how long the
    // final hold lasts; without one, kFinalHoldMs.
    explicit ProgressDialog(CancelToken* cancel = nullptr, const WaitClock* clock = nullptr);
    ~ProgressDialog() override;

    // Hides the interface's quiet default, which the process context would otherwise use to
    // make this class.
    static std::unique_ptr<ProgressDialog> CreateDefault(ProcessContext& context);

    // The owner taken when none is given.
    void SetMainWindow(QWidget* mainWindow);

    // Opens the window over its owner, or over the main window when none is given or the owner
    // is hidden (a LUT editor never opened), and disables that window. It always lies wholly on
    // the screen.
    void ShowProgress(OperatorWindow* owner, const std::string& message) override;
    void ShowProgress(QWidget* owner, const std::string& message);
    void SetProgressMessage(const std::string& message) override;
    // Only while shown.
    void SetProgress(int percent) override;
    // Only while shown: the full bar for a second, then the owner becomes active and the window
    // closes. Meanwhile the windows keep painting and the program's open windows take no input;
    // a message box that opens in that second (from the receive drain, say) can be answered.
    void EndProgress() override;
    // As EndProgress, with the bar left where the operation stopped.
    void StopProgress() override;

    QWidget* Owner() const { return owner_; }

    // "Cancel": the operation stops after the request in flight.
    void Cancel();

protected:
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* VisibleOwner(QWidget* owner) const;
    void PlaceOver(QWidget* owner);
    void KeepOnScreen();
    void ShowMessage();
    void HoldThenClose();
    void ReleaseOwner();

    QPointer<QWidget> mainWindow_;
    QPointer<QWidget> owner_;
    QString message_;
    QProgressBar* bar_ = nullptr;
    QLabel* text_ = nullptr;
    CancelToken* cancel_ = nullptr;
    const WaitClock* clock_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};
