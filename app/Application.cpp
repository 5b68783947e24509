#include "app/Application.h"

#include <QTimer>
#include <memory>

#include "app/MainWindow.h"

int Application::Run() {
    auto window = std::make_unique<MainWindow>(context_);
    window->Initialise();
    QTimer::singleShot(0, window.get(), &MainWindow::ConnectAtStart);
    window->exec();
    return 0;
}
