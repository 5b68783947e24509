#include "app/CCtrlToolApp.h"

#include <memory>

#include "app/CCtrlToolDlg.h"

int CCtrlToolApp::Run() {
    auto window = std::make_unique<CCtrlToolDlg>(context_);
    window->Initialise();
    window->exec();
    return 0;
}
