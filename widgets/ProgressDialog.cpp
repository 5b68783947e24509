#include "widgets/ProgressDialog.h"
#include "core/CancelToken.h"
#include "core/OperatorWindow.h"
#include "core/ProcessContext.h"
#include "core/WaitClock.h"
#include "widgets/OperatorInputBlocker.h"

#include <QApplication>
#include <QEventLoop>
#include <QFrame>
#include <QGuiApplication>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

namespace {

// Waits while the windows keep painting (and timers keep running), with operator input
// thrown away rather than queued for the moment the owner is enabled again.
void WaitWithoutOperatorInput(int milliseconds) {
    OperatorInputBlocker blocker;
    QCoreApplication::instance()->installEventFilter(&blocker);
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
    QCoreApplication::instance()->removeEventFilter(&blocker);
}

}  // namespace

ProgressDialog::ProgressDialog(CancelToken* cancel, const WaitClock* clock)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint), cancel_(cancel), clock_(clock) {
    setObjectName("ProgressDialog");
    // It has no caption; a screen reader still names the window.
    setAccessibleName("Camera operation");
    // Its "Cancel" must reach the flow while the engine keeps every other window from input.
    setProperty(OperatorInputBlocker::kTakesInputWhileBusy, true);
    // Closing it must never count as closing the program's last window.
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setLineWidth(2);
    outer->addWidget(frame);

    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(14, 12, 14, 12);
    text_ = new QLabel(frame);
    text_->setObjectName("progressMessage");
    layout->addWidget(text_);
    bar_ = new QProgressBar(frame);
    bar_->setObjectName("progressBar");
    bar_->setAccessibleName("Progress");
    bar_->setRange(0, 100);
    bar_->setValue(0);
    layout->addWidget(bar_);
    cancelButton_ = new QPushButton("Cancel", frame);
    cancelButton_->setAutoDefault(false);
    cancelButton_->setVisible(cancel_ != nullptr);
    connect(cancelButton_, &QPushButton::clicked, this, &ProgressDialog::Cancel);
    layout->addWidget(cancelButton_, 0, Qt::AlignRight);
    if (cancel_ != nullptr) {
        // Escape reaches it from whichever of the program's windows is active: the window a
        // flow activates while it runs (the LUT editor after each entry) is disabled and would
        // drop the key. Active only while this window is shown and no message box is.
        new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &ProgressDialog::Cancel,
                      Qt::ApplicationShortcut);
    }

    resize(320, 80);
}

ProgressDialog::~ProgressDialog() {
    ReleaseOwner();
}

std::unique_ptr<ProgressDialog> ProgressDialog::CreateDefault(ProcessContext& context) {
    return std::make_unique<ProgressDialog>(&context.Get<CancelToken>(), &context.Get<WaitClock>());
}

void ProgressDialog::Cancel() {
    if (cancel_ == nullptr || !isVisible() || !cancelButton_->isEnabled()) {
        return;  // nothing to cancel, or cancelled already
    }
    // The flow stops after the request in flight and says how far it got.
    cancel_->Request();
    cancelButton_->setEnabled(false);
    ShowMessage();
}

void ProgressDialog::keyPressEvent(QKeyEvent* event) {
    // Escape on this window itself, also when the window system reports no window active and
    // the shortcut stays asleep.
    if (event->key() == Qt::Key_Escape) {
        Cancel();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ProgressDialog::SetMainWindow(QWidget* mainWindow) {
    mainWindow_ = mainWindow;
}

void ProgressDialog::ShowProgress(OperatorWindow* owner, const std::string& message) {
    // rvtool's windows are widgets as well as operator windows.
    ShowProgress(dynamic_cast<QWidget*>(owner), message);
}

void ProgressDialog::ShowProgress(QWidget* owner, const std::string& message) {
    if (!isVisible()) {
        bar_->setValue(0);
        cancelButton_->setEnabled(true);
        SetProgressMessage(message);  // placed with the size its message gives it
        owner_ = VisibleOwner(owner);
        PlaceOver(owner_);
        if (!owner_.isNull() && owner_->isEnabled()) {
            owner_->setEnabled(false);
        }
        show();
        raise();
    }
    SetProgressMessage(message);
}

QWidget* ProgressDialog::VisibleOwner(QWidget* owner) const {
    // Over a hidden window it would be placed from a geometry nobody sees and, tied to a window
    // outside the main window's modal loop, take no input at all.
    for (QWidget* window : {owner, mainWindow_.data()}) {
        if (window != nullptr && window->window()->isVisible()) {
            return window;
        }
    }
    return owner != nullptr ? owner : mainWindow_.data();
}

void ProgressDialog::SetProgressMessage(const std::string& message) {
    message_ = QString::fromStdString(message);
    ShowMessage();
}

void ProgressDialog::ShowMessage() {
    // Until the operation ends, the operator sees that the cancel was taken, also under the
    // messages of the steps still in flight.
    const bool cancelling = cancel_ != nullptr && !cancelButton_->isEnabled();
    text_->setText(cancelling ? message_ + "\nCancelling after the request in flight..."
                              : message_);
    // Heard with the bar: what is in progress.
    bar_->setAccessibleDescription(text_->text());
}

void ProgressDialog::SetProgress(int percent) {
    if (!isVisible()) {
        return;
    }
    bar_->setValue(std::clamp(percent, 0, 100));
    ShowMessage();
}

void ProgressDialog::EndProgress() {
    if (isVisible()) {
        SetProgress(100);
        HoldThenClose();
    }
}

void ProgressDialog::StopProgress() {
    if (isVisible()) {
        HoldThenClose();
    }
}

void ProgressDialog::HoldThenClose() {
    const QPointer<ProgressDialog> self(this);
    const std::chrono::milliseconds hold(kFinalHoldMs);
    WaitWithoutOperatorInput(
        static_cast<int>((clock_ != nullptr ? clock_->Pause(hold) : hold).count()));
    if (self.isNull()) {
        return;
    }
    // Enabled by the close, so that the owner can take the activation.
    const QPointer<QWidget> owner = owner_;
    close();
    if (!owner.isNull()) {
        owner->activateWindow();
    }
}

void ProgressDialog::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // A hide by the window system (say the owner was minimised) does not end the operation.
    if (!event->spontaneous()) {
        ReleaseOwner();
    }
}

void ProgressDialog::PlaceOver(QWidget* owner) {
    winId();  // creates the native window, so that it can be tied to the owner's
    QWidget* over = owner != nullptr && owner->window()->isVisible() ? owner->window() : nullptr;
    // Keeps it above its owner like an owned window, and inside the main window's modal loop.
    windowHandle()->setTransientParent(over != nullptr ? over->windowHandle() : nullptr);
    layout()->activate();  // its size with the message it opens with
    QRect placed(QPoint(), size());
    if (over != nullptr) {
        placed.moveCenter(over->frameGeometry().center());
    } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
        placed.moveCenter(screen->availableGeometry().center());
    }
    move(placed.topLeft());
    KeepOnScreen();
}

void ProgressDialog::KeepOnScreen() {
    QScreen* screen = QGuiApplication::screenAt(geometry().center());
    if (screen == nullptr) {
        screen = this->screen();
    }
    if (screen == nullptr) {
        return;
    }
    // Also over a window that lies partly off the screen, and with a message that grew.
    const QRect room = screen->availableGeometry();
    const int left = std::min(x(), room.x() + room.width() - width());
    const int top = std::min(y(), room.y() + room.height() - height());
    const QPoint inside(std::max(room.x(), left), std::max(room.y(), top));
    if (inside != pos()) {
        move(inside);
    }
}

void ProgressDialog::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (isVisible()) {
        KeepOnScreen();
    }
}

void ProgressDialog::ReleaseOwner() {
    if (!owner_.isNull()) {
        owner_->setEnabled(true);
    }
    owner_ = nullptr;
}
