#include "app/CCtrlToolApp.h"

#include <QTimer>
#include <memory>

#include "app/CCtrlToolDlg.h"

#include <QLabel>

int CCtrlToolApp::Run() {
    auto window = std::make_unique<CCtrlToolDlg>(context_);
    window->Initialise();
    QTimer::singleShot(0, window.get(), &CCtrlToolDlg::ConnectAtStart);
    window->exec();
    return 0;
}
