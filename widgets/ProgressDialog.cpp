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
#include <QScreen>
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
    bar_->setRange(0, 100);
    bar_->setValue(0);
    layout->addWidget(bar_);
    cancelButton_ = new QPushButton("Cancel", frame);
    cancelButton_->setAutoDefault(false);
    cancelButton_->setVisible(cancel_ != nullptr);
    connect(cancelButton_, &QPushButton::clicked, this, &ProgressDialog::Cancel);
    layout->addWidget(cancelButton_, 0, Qt::AlignRight);

    resize(320, 80);
}

ProgressDialog::~ProgressDialog() {
    ReleaseOwner();
}

std::unique_ptr<ProgressDialog> ProgressDialog::CreateDefault(ProcessContext& context) {
    return std::make_unique<ProgressDialog>(&context.Get<CancelToken>(), &context.Get<WaitClock>());
}

void ProgressDialog::Cancel() {
    if (cancel_ == nullptr || !isVisible()) {
        return;
    }
    // The flow stops after the request in flight and says how far it got.
    cancel_->Request();
    cancelButton_->setEnabled(false);
    SetProgressMessage(message_.toStdString() + "\nCancelling after the request in flight...");
}

void ProgressDialog::keyPressEvent(QKeyEvent* event) {
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
    if (owner == nullptr) {
        owner = mainWindow_;
    }
    if (!isVisible()) {
        owner_ = owner;
        bar_->setValue(0);
        cancelButton_->setEnabled(true);
        PlaceOver(owner);
        if (owner != nullptr && owner->isEnabled()) {
            owner->setEnabled(false);
        }
        show();
        raise();
    }
    SetProgressMessage(message);
}

void ProgressDialog::SetProgressMessage(const std::string& message) {
    message_ = QString::fromStdString(message);
    text_->setText(message_);
}

void ProgressDialog::SetProgress(int percent) {
    if (!isVisible()) {
        return;
    }
    bar_->setValue(std::clamp(percent, 0, 100));
    text_->setText(message_);
}

void ProgressDialog::EndProgress() {
    if (!isVisible()) {
        return;
    }
    SetProgress(100);
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
    QRect area;
    QWindow* ownerWindow = nullptr;
    if (owner != nullptr) {
        area = owner->window()->frameGeometry();
        ownerWindow = owner->window()->windowHandle();
    } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    // Keeps it above its owner like an owned window.
    windowHandle()->setTransientParent(ownerWindow);
    if (area.isValid()) {
        move(area.center() - rect().center());
    }
}

void ProgressDialog::ReleaseOwner() {
    if (!owner_.isNull()) {
        owner_->setEnabled(true);
    }
    owner_ = nullptr;
}
