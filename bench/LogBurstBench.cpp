// A burst of camera lines logged while rvtool's windows are up: the lines arrive unasked at
// the pace of the serial line into the main window, with the communication dialog and the
// terminal shown, and the engine's drain logs them. Measures the longest time the event loop
// did not turn meanwhile (and, for comparison, while idle):
//   log_burst_bench [lines] [baud]
// Runs offscreen unless QT_QPA_PLATFORM names another platform.
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "app/MainWindow.h"
#include "app/WidgetServices.h"
#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "dialogs/LogView.h"
#include "dialogs/TerminalDialog.h"
#include "operations/CoreServices.h"
#include "operations/MessageLog.h"
#include "operations/TerminalLog.h"
#include "protocol/CommandEngine.h"
#include "protocol/CommandIds.h"
#include "transport/CameraPort.h"

namespace {

constexpr int kLingerMs = 200;

class PrintingNotifier : public Notifier {
public:
    MessageAnswer Present(const MessageRequest& request) override {
        std::fprintf(stderr, "message: %s\n", request.text.c_str());
        return MessageAnswer::Ok;
    }
};

// Writes the lines to the master side of the pseudo terminal, paced at 10 bits a byte.
void SendPaced(int master, int lines, int baud) {
    const auto start = std::chrono::steady_clock::now();
    std::size_t sent = 0;
    for (int i = 0; i < lines; ++i) {
        const std::string line = "LUTD=" + std::to_string(i % 4096) + "\r\n";
        if (write(master, line.data(), line.size()) != static_cast<ssize_t>(line.size())) {
            std::fprintf(stderr, "writing to the pseudo terminal failed\n");
            return;
        }
        sent += line.size();
        std::this_thread::sleep_until(
            start + std::chrono::microseconds(static_cast<long long>(sent) * 10'000'000 / baud));
    }
}

// Answers every query line the program sends with a value, paced at 10 bits a byte, until
// stop is set.
void Answer(int master, int baud, const std::atomic<bool>& stop) {
    std::string pending;
    char buffer[256];
    while (!stop) {
        pollfd wait = {master, POLLIN, 0};
        if (poll(&wait, 1, 20) <= 0) {
            continue;
        }
        const ssize_t got = read(master, buffer, sizeof buffer);
        if (got <= 0) {
            continue;
        }
        pending.append(buffer, static_cast<std::size_t>(got));
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
            const std::string query = pending.substr(0, end);
            pending.erase(0, end + 1);
            const std::string reply = query.substr(0, query.find('?')) + "=400\r\n";
            const auto start = std::chrono::steady_clock::now();
            if (write(master, reply.data(), reply.size()) != static_cast<ssize_t>(reply.size())) {
                return;
            }
            std::this_thread::sleep_until(
                start + std::chrono::microseconds(static_cast<long long>(reply.size()) *
                                                  10'000'000 / baud));
        }
    }
}

// Runs the event loop until done() holds (then lingerMs more) and returns the longest gap
// between two turns of the loop, in milliseconds.
double LongestGap(const std::function<bool()>& done, int lingerMs, double& seconds) {
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    qint64 last = clock.nsecsElapsed();
    qint64 longest = 0;
    qint64 doneAt = -1;
    QTimer turn;
    turn.setTimerType(Qt::PreciseTimer);
    turn.setInterval(1);
    QObject::connect(&turn, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
        if (doneAt < 0 && done()) {
            doneAt = now;
        }
        if (doneAt >= 0 && now - doneAt >= qint64(lingerMs) * 1'000'000) {
            loop.quit();
        }
    });
    turn.start();
    loop.exec();
    seconds = (doneAt >= 0 ? doneAt : clock.nsecsElapsed()) / 1e9;
    return longest / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    const int lines = argc > 1 ? std::atoi(argv[1]) : 2000;
    const int baud = argc > 2 ? std::atoi(argv[2]) : 115200;

    int master = -1;
    int slave = -1;
    char device[256] = {};
    if (openpty(&master, &slave, device, nullptr, nullptr) != 0) {
        std::perror("openpty");
        return 1;
    }
    const std::filesystem::path settings =
        std::filesystem::temp_directory_path() / ("rv_burst_bench_" + std::to_string(getpid()));
    setenv("RVTOOL_SETTINGS", settings.c_str(), 1);
    setenv("RVTOOL_COM1", device, 1);

    {
        ProcessContext context;
        ProvideCoreServices(context);
        ProvideWidgetServices(context);
        context.Provide<Notifier>(
            [](ProcessContext&) { return std::make_unique<PrintingNotifier>(); });
        MainWindow window(context);
        window.Initialise();
        window.show();
        window.ShowTerminal();
        if (!context.Get<CameraPort>().Open(kComCategory, baud, 0)) {
            return 1;
        }
        const LineLog& messages = context.Get<MessageLog>().Lines();
        const LineLog& terminal = context.Get<TerminalLog>().Lines();

        double idleSeconds = 0;
        LongestGap([] { return true; }, 500, idleSeconds);  // the windows' first paint
        const double idleGap = LongestGap([] { return true; }, 1000, idleSeconds);
        std::printf("idle for 1 s: longest gap between two event-loop turns %.1f ms\n", idleGap);

        LogListModel* shown = window.Terminal()->Log()->LogModel();
        const auto burst = [&](const char* logs) {
            const uint64_t before = messages.AddedCount();
            std::atomic<bool> sent{false};
            std::thread sender([&] {
                SendPaced(master, lines, baud);
                sent = true;
            });
            double seconds = 0;
            QElapsedTimer sinceSent;
            const double gap = LongestGap(
                [&] {
                    // Every line in both logs and on screen. Lines the transport lost (it says
                    // so) would keep the count short, so a second after sending ends it too.
                    if (sent && !sinceSent.isValid()) {
                        sinceSent.start();
                    }
                    const bool all = messages.AddedCount() - before >= uint64_t(lines);
                    return (all && shown->rowCount() == int(terminal.Size())) ||
                           (sinceSent.isValid() && sinceSent.elapsed() > 1000);
                },
                kLingerMs, seconds);
            sender.join();
            std::printf(
                "%d lines at %d bit/s into %s logs, logged and shown in %.2f s: "
                "longest gap %.1f ms (%llu lines logged)\n",
                lines, baud, logs, seconds, gap,
                static_cast<unsigned long long>(messages.AddedCount() - before));
        };
        burst("empty");
        // The same with both logs at their cap, so that every line drops the oldest.
        for (std::size_t i = 0; i < TerminalLog::kCapacity; ++i) {
            context.Get<MessageLogSink>().Add("GA=" + std::to_string(i));
            context.Get<TerminalLogSink>().AddLine("Rx: GA=" + std::to_string(i));
        }
        double fillSeconds = 0;
        LongestGap([&] { return shown->rowCount() == int(terminal.Size()); }, 0, fillSeconds);
        burst("full");

        // Replies to requests: the engine asks and waits, the windows turn only while it waits.
        std::atomic<bool> stop{false};
        std::thread answerer(Answer, master, baud, std::cref(stop));
        bool asked = false;
        int answered = 0;
        QTimer::singleShot(0, [&] {
            CommandEngine& engine = context.Get<CommandEngine>();
            for (int i = 0; i < lines; ++i) {
                int32_t value = 0;
                answered += engine.GetValue(CommandIds::Of("GA"), value, 1000) ? 1 : 0;
            }
            asked = true;
        });
        double requestSeconds = 0;
        const double requestGap =
            LongestGap([&] { return asked && shown->rowCount() == int(terminal.Size()); },
                       kLingerMs, requestSeconds);
        stop = true;
        answerer.join();
        std::printf(
            "%d requests answered at %d bit/s (%d answered) in %.2f s: longest gap "
            "%.1f ms\n",
            lines, baud, answered, requestSeconds, requestGap);
        window.hide();
    }
    std::filesystem::remove(settings);
    close(slave);
    close(master);
    return 0;
}
