#include <QApplication>
#include <QCommandLineParser>
#include <QRegularExpression>
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
#include "widgets/MessageBoxNotifier.h"

namespace {

// "--port COM<n>" makes COM port n the stored link, so this run starts on it.
bool ApplyPortOption(ProcessContext& context, const QString& port) {
    const QRegularExpressionMatch match =
        QRegularExpression("^COM([1-9]|1[0-6])$", QRegularExpression::CaseInsensitiveOption)
            .match(port);
    if (!match.hasMatch()) {
        return false;
    }
    SettingsStore& settings = context.Get<SettingsStore>();
    settings.WriteDword(kCommunicationMode, kComCategory);
    settings.WriteDword(kComPortNo, match.captured(1).toInt() - 1);
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
        "port", "Start on COM port <name> (COM1 ... COM16) instead of the last link.", "name");
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
            std::fprintf(stderr, "rvtool: unknown port \"%s\": name one of COM1 ... COM16.\n",
                         qPrintable(parser.value(portOption)));
            return 2;
        }
        result = Application(context).Run();
    }
    return result;
}
