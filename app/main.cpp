#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#ifdef Q_OS_WIN
#include <QFont>
#include <QStyle>
#include <QStyleFactory>
#endif

#include "app/Application.h"
#include "app/WidgetServices.h"
#include "core/ProcessContext.h"
#include "core/SettingsStore.h"
#include "core/Version.h"
#include "operations/CoreServices.h"
#include "transport/CameraPort.h"
#include "transport/PortName.h"
#include "widgets/MessageBoxNotifier.h"

namespace {

// "--port NAME" makes that port of the COM category the stored link, so this run starts on it
// and the next one too.
bool ApplyPortOption(ProcessContext& context, const QString& port) {
    const std::optional<std::string> name = CanonicalPortName(port.toStdString());
    if (!name) {
        return false;
    }
    SettingsStore& settings = context.Get<SettingsStore>();
    settings.WriteDword(kCommunicationMode, kComCategory);
    settings.WriteText(kComPortName, *name);
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("rvtool");
    QApplication::setApplicationVersion(kProgramVersion);
#ifdef Q_OS_WIN
    // The look of the camera tools operators know on Windows: the native style and the dialog
    // font of the system's own dialogs.
    if (QStyle* style = QStyleFactory::create("windowsvista")) {
        QApplication::setStyle(style);
    }
    QApplication::setFont(QFont("MS Shell Dlg", 8));
#endif

    QCommandLineParser parser;
    parser.setApplicationDescription(kProductName);
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption portOption(
        "port",
        "Start on port <name> instead of the last link, and keep it for the next start: COM1 "
        "... COM256, a device path or a symlink to one (/dev/ttyUSB0, /dev/serial/by-id/...), "
        "socket://HOST:PORT or rfc2217://HOST:PORT.",
        "name");
    parser.addOption(portOption);
    parser.process(application);

    int result = 0;
    {
        // The context ends before the Qt application, so the exit-time saves run while Qt is
        // still there for any message they need to show.
        ProcessContext context;
        ProvideCoreServices(context);
        ProvideWidgetServices(context);
        context.Provide<Notifier>(
            [](ProcessContext&) { return std::make_unique<MessageBoxNotifier>(); });
        if (parser.isSet(portOption) && !ApplyPortOption(context, parser.value(portOption))) {
            std::fprintf(stderr, "rvtool: %s\n",
                         PortNameProblem(parser.value(portOption).toStdString()).c_str());
            return 2;
        }
        result = Application(context).Run();
    }
    return result;
}
