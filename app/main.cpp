#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <string>
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

// The program's options; the parser knows --help and --version besides.
struct Options {
    QCommandLineParser parser;
    QCommandLineOption help = parser.addHelpOption();
    QCommandLineOption version = parser.addVersionOption();
    QCommandLineOption port{
        "port",
        "Start on port <name> instead of the last link, and keep it for the next start: COM1 "
        "... COM256, a device path or a symlink to one (/dev/ttyUSB0, /dev/serial/by-id/...), "
        "socket://HOST:PORT or rfc2217://HOST:PORT.",
        "name"};

    Options() {
        parser.setApplicationDescription(kProductName);
        parser.addOption(port);
        parser.addPositionalArgument(
            "file", "A camera settings file (.cam) to compare with the camera or load into it.",
            "[file]");
    }
};

// Whether the parser's only complaint is options it does not know that Qt's application object
// takes; a missing value is a mistake of its own.
bool OnlyQtOptionsUnknown(const QStringList& unknown) {
    if (unknown.isEmpty()) {
        return false;
    }
    static const QStringList qtOptions = {"platform",      "platformpluginpath",
                                          "platformtheme", "plugin",
                                          "style",         "stylesheet",
                                          "reverse",       "session",
                                          "widgetcount",   "qwindowgeometry",
                                          "qwindowicon",   "qwindowtitle",
                                          "display",       "geometry",
                                          "title",         "name",
                                          "sync",          "visual",
                                          "nograb",        "dograb",
                                          "qmljsdebugger"};
    for (const QString& option : unknown) {
        if (!qtOptions.contains(option.section('=', 0, 0))) {
            return false;
        }
    }
    return true;
}

// Help, the version and a mistake in the options (a port name that is none) are answered as
// text, without a window: a text console or a build machine has no display to open. Qt's own
// options (-platform, -style) go on to the window's run, which takes them.
void AnswerWithoutWindow(int& argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    Options options;
    // Qt's options have one dash: -platform is one option, not eight letters.
    options.parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const bool parsed = options.parser.parse(arguments);
    if (parsed && options.parser.isSet(options.port) &&
        !CanonicalPortName(options.parser.value(options.port).toStdString())) {
        std::fprintf(stderr, "rvtool: %s\n",
                     PortNameProblem(options.parser.value(options.port).toStdString()).c_str());
        std::exit(2);
    }
    if (parsed ? !options.parser.isSet(options.help) && !options.parser.isSet(options.version) &&
                     !options.parser.isSet("help-all")
               : OnlyQtOptionsUnknown(options.parser.unknownOptionNames())) {
        return;
    }
    QCoreApplication core(argc, argv);
    options.parser.process(core);  // prints what was asked for, or the mistake, and exits
}

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
    QCoreApplication::setApplicationName("rvtool");
    QCoreApplication::setApplicationVersion(kProgramVersion);
    AnswerWithoutWindow(argc, argv);
    QApplication application(argc, argv);
#ifdef Q_OS_WIN
    // The look of the camera tools operators know on Windows: the native style and the dialog
    // font of the system's own dialogs.
    if (QStyle* style = QStyleFactory::create("windowsvista")) {
        QApplication::setStyle(style);
    }
    QApplication::setFont(QFont("MS Shell Dlg", 8));
#endif

    Options options;
    options.parser.process(application);
    const QCommandLineParser& parser = options.parser;
    const QCommandLineOption& portOption = options.port;

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
        const QStringList files = parser.positionalArguments();
        result = Application(context, files.isEmpty() ? std::string()
                                                      : files.first().toLocal8Bit().toStdString())
                     .Run();
    }
    return result;
}
