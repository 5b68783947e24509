#pragma once

#include <memory>

#include <QDialog>
#include <QRect>

#include "core/OperatorWindow.h"
#include "widgets/OnlineStatusUpdater.h"

class LogView;
class ProcessContext;
class SharedWindowRegistration;
class QLabel;
class QLineEdit;
class QPushButton;

// The raw command terminal: a command line sent to the camera as typed, and the terminal log
// of every line sent and received, time-stamped, newest first. Closing it hides it; the log
// keeps its lines.
class TerminalDialog : public QDialog, public OnlineStatusUpdater, public OperatorWindow {
    Q_OBJECT
public:
    // Where each control goes for a client area of w x h pixels: the command line across the
    // top, the log below it, the four buttons down the right edge and the status strip along
    // the bottom. Rows are rowHeight tall (20 in the classic layout, more for larger fonts) and
    // the buttons buttonWidth wide (60).
    struct Layout {
        QRect commandEdit, log, closeButton, sendButton, clearButton, saveButton, statusStrip;
    };
    static Layout LayoutFor(int w, int h, int rowHeight, int buttonWidth, int stripHeight);

    explicit TerminalDialog(ProcessContext& context, QWidget* parent = nullptr);
    ~TerminalDialog() override;

    QLineEdit* CommandEdit() const { return commandEdit_; }
    LogView* Log() const { return log_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    template <typename Flow>
    void RunFlow(Flow&& flow);
    void PlaceControls();

    ProcessContext& context_;
    QLineEdit* commandEdit_;
    QPushButton* closeButton_;
    QPushButton* sendButton_;
    QPushButton* clearButton_;
    QPushButton* saveButton_;
    LogView* log_;
    QLabel* statusPicture_;
    bool running_ = false;
    std::unique_ptr<SharedWindowRegistration> registration_;
};
