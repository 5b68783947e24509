// The command engine against the simulated camera (paced at line speed), side by side in one
// run with a plain client that sends each request as soon as the previous reply line is in:
//   command_engine_bench <path to rvsim> [requests]
// - one request (GA?) at 9600, 38400 and 115200 bit/s;
// - a whole LUT read (256 LUTI sets and 256 LUTD queries) at 115200 bit/s;
// - the start-up read of a camera at 115200 bit/s: model check and the 28 values of user mode,
//   from the moment the port is open.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "bench/BenchSupport.h"
#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "operations/CameraRefresh.h"
#include "operations/CoreServices.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "transport/CameraPort.h"

namespace {

class PrintingNotifier : public Notifier {
public:
    MessageAnswer Present(const MessageRequest& request) override {
        std::fprintf(stderr, "message: %s\n", request.text.c_str());
        ++messages;
        return MessageAnswer::Ok;
    }
    int messages = 0;
};

// The engine in a context of its own, on COM1 = the simulator's device.
class EngineClient {
public:
    EngineClient(const std::string& device, int baud) {
        setenv("RVTOOL_COM1", device.c_str(), 1);
        ProvideCoreServices(context_);
        context_.ProvideExternal<Notifier>(notifier_);
        if (!context_.Get<CameraPort>().Open(kComCategory, baud, 0)) {
            std::exit(1);
        }
    }
    ProcessContext& Context() { return context_; }
    Command& Engine() { return context_.Get<Command>(); }

private:
    PrintingNotifier notifier_;
    ProcessContext context_;
};

void Compare(const char* what, double engineSeconds, double plainSeconds, int requests) {
    std::printf("%-28s engine %8.2f ms  plain %8.2f ms  ratio %.2f  (%d requests)\n", what,
                1000 * engineSeconds, 1000 * plainSeconds, engineSeconds / plainSeconds, requests);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <rvsim> [requests]\n", argv[0]);
        return 2;
    }
    const std::string rvsim = argv[1];
    const int requests = argc > 2 ? std::atoi(argv[2]) : 50;
    setenv("RVTOOL_SETTINGS", "/dev/null/none", 1);  // nothing of this run is kept
    const int ga = CommandTable::IdOf("GA");
    const int luti = CommandTable::IdOf("LUTI");
    const int lutd = CommandTable::IdOf("LUTD");

    for (int baud : {9600, 38400, 115200}) {
        Simulator sim(rvsim, baud);
        double plain = 0;
        {
            PlainClient client(sim.Device(), baud);
            plain = Seconds([&] {
                for (int i = 0; i < requests; ++i) {
                    if (!client.Ask("GA?\r\n")) {
                        return false;
                    }
                }
                return true;
            });
        }
        EngineClient engine(sim.Device(), baud);
        const double measured = Seconds([&] {
            for (int i = 0; i < requests; ++i) {
                int32_t value = 0;
                if (!engine.Engine().GetValue(ga, value, 1000)) {
                    return false;
                }
            }
            return true;
        });
        const std::string what = "GA? at " + std::to_string(baud);
        Compare(what.c_str(), measured / requests, plain / requests, requests);
    }

    {
        Simulator sim(rvsim, 115200);
        double plain = 0;
        {
            PlainClient client(sim.Device(), 115200);
            plain = Seconds([&] {
                for (int i = 0; i < 256; ++i) {
                    if (!client.Ask("LUTI=" + std::to_string(i) + "\r\n") ||
                        !client.Ask("LUTD?\r\n")) {
                        return false;
                    }
                }
                return true;
            });
        }
        EngineClient engine(sim.Device(), 115200);
        const double measured = Seconds([&] {
            for (int i = 0; i < 256; ++i) {
                int32_t value = 0;
                if (!engine.Engine().SetValue(luti, i, 1000) ||
                    !engine.Engine().GetValue(lutd, value, 1000)) {
                    return false;
                }
            }
            return true;
        });
        Compare("LUT read at 115200", measured, plain, 512);

        const double startUp = Seconds([&] {
            ReadCamera(engine.Context(), nullptr);
            return true;
        });
        std::printf("%-28s engine %8.2f ms  (model check and 28 values)\n",
                    "start-up read at 115200", 1000 * startUp);
    }
    return 0;
}
