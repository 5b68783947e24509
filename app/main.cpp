#include <QApplication>

#include "app/CCtrlToolApp.h"
#include "app/MessageBoxNotifier.h"
#include "app/ProcessContext.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("rvtool");
    int result = 0;
    {
        // The context goes before the Qt application, so the exit-time saves run while Qt is
        // still there for any message they need to show.
        ProcessContext context;
        context.Provide<Notifier>(
            [](ProcessContext&) { return std::make_unique<MessageBoxNotifier>(); });
        result = CCtrlToolApp(context).Run();
    }
    return result;
}
