#include "dialogs/TerminalDialog.h"

#include "widgets/SharedWindowRegistration.h"

#include "widgets/OneActionAtATime.h"
#include "widgets/ScreenRoom.h"

#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScopedValueRollback>
#include <algorithm>
#include <exception>

#include "core/ProcessContext.h"
#include "dialogs/LogView.h"
#include "operations/TerminalLog.h"
#include "operations/TerminalLogic.h"

namespace {

constexpr int kMargin = 10;
constexpr int kButtonGap = 4;
constexpr int kClassicRowHeight = 20;
constexpr int kClassicButtonWidth = 60;
constexpr int kClassicStripHeight = 8;

QPushButton* MakeButton(const char* text, const char* id, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(id);
    return button;
}

}  // namespace

TerminalDialog::Layout TerminalDialog::LayoutFor(int w, int h, int rowHeight, int buttonWidth,
                                                 int stripHeight) {
    const auto box = [](int left, int top, int right, int bottom) {
        return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
    };
    const int buttonLeft = w - kMargin - buttonWidth;
    const int textRight = buttonLeft - kMargin;
    const auto button = [&](int row) {
        const int top = kMargin + row * (rowHeight + kButtonGap);
        return box(buttonLeft, top, w - kMargin, top + rowHeight);
    };
    Layout layout;
    layout.commandEdit = box(kMargin, kMargin, textRight, kMargin + rowHeight);
    layout.log = box(kMargin, kMargin + rowHeight + 12, textRight, h - 12 - stripHeight);
    layout.closeButton = button(0);
    layout.sendButton = button(1);
    layout.clearButton = button(2);
    layout.saveButton = button(3);
    layout.statusStrip = box(4, h - 4 - stripHeight, w - 4, h - 4);
    return layout;
}

TerminalDialog::TerminalDialog(ProcessContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName("TerminalDialog");
    setWindowTitle("RS-232C TERMINAL");
    setSizeGripEnabled(false);
    // A tool window of the main window's, resizable, without the help button.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint);

    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    commandEdit_ = new QLineEdit(this);
    commandEdit_->setObjectName("commandEdit");
    commandEdit_->setAccessibleName("Command");
    commandEdit_->setFont(fixed);
    closeButton_ = MakeButton("Close", "closeButton", this);
    sendButton_ = MakeButton("Send", "sendButton", this);
    sendButton_->setDefault(true);  // Enter in the command line sends it
    clearButton_ = MakeButton("Clear", "clearButton", this);
    saveButton_ = MakeButton("Save", "saveButton", this);
    log_ = new LogView(context_.Get<TerminalLog>().Lines(), LogOrder::NewestFirst, this);
    log_->setObjectName("terminalLog");
    log_->setAccessibleName("Terminal log");
    log_->setFont(fixed);
    statusPicture_ = new QLabel(this);
    statusPicture_->setObjectName("statusPicture");
    statusPicture_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    SetStatusPicture(statusPicture_);
    setFocusProxy(commandEdit_);

    connect(closeButton_, &QPushButton::clicked, this, &QDialog::hide);
    connect(sendButton_, &QPushButton::clicked, this, [this] {
        RunFlow([this] { TerminalLogic::Send(context_, commandEdit_->text().toStdString()); });
        // The line stays for editing or sending again.
        commandEdit_->setFocus();
    });
    connect(clearButton_, &QPushButton::clicked, this,
            [this] { RunFlow([this] { TerminalLogic::ClearLog(context_); }); });
    connect(saveButton_, &QPushButton::clicked, this,
            [this] { RunFlow([this] { TerminalLogic::SaveLog(context_, this); }); });

    registration_ = std::make_unique<SharedWindowRegistration>(context_, this, this);

    const int row = std::max(
        {kClassicRowHeight, sendButton_->sizeHint().height(), commandEdit_->sizeHint().height()});
    setMinimumSize(320, kMargin + 4 * (row + kButtonGap) + 2 * kMargin + 16);
    // No larger than the screen holds.
    resize(ScreenRoom::Fit(this, QSize(640, 420)));
}

TerminalDialog::~TerminalDialog() = default;

template <typename Flow>
void TerminalDialog::RunFlow(Flow&& flow) {
    if (RunOneActionAtATime(running_, flow)) {
        log_->Sync();
    }
}

void TerminalDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred over the main window, it could stand partly off a small screen.
    move(ScreenRoom::Keep(this, pos()));
}

void TerminalDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    PlaceControls();
}

void TerminalDialog::PlaceControls() {
    // The classic layout, with rows and the strip as tall as this font and image need.
    const int row = std::max(
        {kClassicRowHeight, sendButton_->sizeHint().height(), commandEdit_->sizeHint().height()});
    int buttonWidth = kClassicButtonWidth;
    for (const QPushButton* button : {closeButton_, sendButton_, clearButton_, saveButton_}) {
        buttonWidth = std::max(buttonWidth, button->sizeHint().width());
    }
    const int strip = std::max(kClassicStripHeight, statusPicture_->sizeHint().height());
    const Layout layout = LayoutFor(width(), height(), row, buttonWidth, strip);
    commandEdit_->setGeometry(layout.commandEdit);
    log_->setGeometry(layout.log);
    closeButton_->setGeometry(layout.closeButton);
    sendButton_->setGeometry(layout.sendButton);
    clearButton_->setGeometry(layout.clearButton);
    saveButton_->setGeometry(layout.saveButton);
    statusPicture_->setGeometry(layout.statusStrip);
}
