#include "app/Application.h"

#include <QApplication>
#include <QTimer>
#include <memory>

#include "app/MainWindow.h"

int Application::Run() {
    auto window = std::make_unique<MainWindow>(context_);
    window->Initialise();
    // Once the window is on screen; a window closed before that has nothing to connect.
    QTimer::singleShot(0, window.get(), [view = window.get(), file = file_] {
        if (view->isVisible()) {
            view->ConnectAtStart();
        }
        if (view->isVisible() && !file.empty()) {
            view->OpenGivenFile(file);
        }
    });
    window->show();
    // The run ends when the main window closes: the windows it owns have it as their parent
    // and keep no run going of their own.
    return QApplication::exec();
}
