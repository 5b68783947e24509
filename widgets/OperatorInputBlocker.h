#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <vector>

// While installed on the application, swallows the operator's input (keys, mouse, and the
// window system's close requests) to the windows that were open when it was made: the program
// is busy and shall neither queue that input nor act on it. A window that opens later (a
// message box, above all) takes input as usual, so that it can always be answered.
// A window whose property kTakesInputWhileBusy is true (the progress window with its "Cancel")
// is never blocked.
class OperatorInputBlocker : public QObject {
public:
    static constexpr const char* kTakesInputWhileBusy = "takesInputWhileBusy";

    OperatorInputBlocker();

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    bool IsBlocked(const QWidget* window) const;

    std::vector<QPointer<QWidget>> blocked_;
};
