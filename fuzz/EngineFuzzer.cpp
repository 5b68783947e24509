// The command engine fed replayed camera bytes. The input is a list of steps, each an
// operation byte, a command byte and the bytes the camera sends, up to a 0xFF byte:
//   operation % 6: 0 SetValue, 1 SetString, 2 GetValue, 3 GetString (the bytes answer the
//   request line), 4 the bytes come unasked and the drain timer ticks, 5 they come unasked
//   and the engine waits for an acknowledgement.
// The camera is the tests' scripted camera on a pseudo terminal, which the program opens as
// COM1 through its real port driver.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "core/SettingsBackend.h"
#include "operations/CoreServices.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "tests/support/RecordingSettingsBackend.h"
#include "tests/support/ScriptedCamera.h"
#include "transport/CameraPort.h"
#include "transport/ComPortDriver.h"

namespace {

using Clock = std::chrono::steady_clock;

// Short, so that a reply without a line end costs little; a complete one arrives well within.
constexpr int kTimeoutMs = 2;
constexpr uint8_t kStepEnd = 0xFF;

class QuietNotifier : public Notifier {
public:
    MessageAnswer Present(const MessageRequest& request) override {
        return request.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
};

// The program around the engine and its camera, made once: a pseudo terminal and a port for
// every input would cost more than most inputs.
class Program {
public:
    Program() {
        camera_.BindTo(1);
        camera_.SetScript([this](const std::string&) { return NextReply(); });
        context_.ProvideExternal<SettingsBackend>(settings_);
        context_.ProvideExternal<Notifier>(notifier_);
        ProvideCoreServices(context_);
        if (!context_.Get<CameraPort>().Open(kComCategory, 115200, 0)) {
            abort();
        }
    }

    ProcessContext& Context() { return context_; }

    // Nothing of the previous input reaches the next: not its replies, not its bytes.
    void Reset() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            replies_.clear();
        }
        Driver().ResetBuffer();
        context_.Get<CameraPort>().TakeDroppedByteCount();
    }

    // The answer to the next request line.
    void AddReply(std::string bytes) {
        std::lock_guard<std::mutex> lock(mutex_);
        replies_.push_back(std::move(bytes));
    }

    // Bytes the camera sends now; returns once the port holds them (or a while has passed).
    void SendUnasked(const std::string& bytes) {
        if (bytes.empty()) {
            return;
        }
        const int32_t expected =
            std::min<int32_t>(Driver().GetAvailable() + static_cast<int32_t>(bytes.size()),
                              ComPortDriver::kRingSize - 1);
        camera_.Send(bytes);
        const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(20);
        while (Driver().GetAvailable() < expected && Clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
    }

private:
    ComPortDriver& Driver() { return context_.Get<ComPortDriver>(); }

    std::string NextReply() {
        std::lock_guard<std::mutex> lock(mutex_);
        if (replies_.empty()) {
            return std::string();
        }
        std::string reply = std::move(replies_.front());
        replies_.pop_front();
        return reply;
    }

    // In the order of their lives: the camera's script uses the replies until the camera is
    // gone, and the port closes before its terminal does.
    std::mutex mutex_;
    std::deque<std::string> replies_;
    ScriptedCamera camera_;
    RecordingSettingsBackend settings_;
    QuietNotifier notifier_;
    ProcessContext context_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Program program;
    program.Reset();
    Command engine(program.Context());

    size_t pos = 0;
    while (pos + 2 <= size) {
        const uint8_t operation = data[pos];
        const int cmdId = data[pos + 1] % (CommandTable::kCommandCount + 2) - 1;
        size_t end = pos + 2;
        while (end < size && data[end] != kStepEnd) {
            ++end;
        }
        const std::string bytes(reinterpret_cast<const char*>(data) + pos + 2, end - pos - 2);
        pos = end + 1;

        int32_t value = operation;
        std::string text = "USER7";
        switch (operation % 6) {
            case 0:
                program.AddReply(bytes);
                engine.SetValue(cmdId, value, kTimeoutMs);
                break;
            case 1:
                program.AddReply(bytes);
                engine.SetString(cmdId, text, kTimeoutMs);
                break;
            case 2:
                program.AddReply(bytes);
                engine.GetValue(cmdId, value, kTimeoutMs);
                break;
            case 3:
                program.AddReply(bytes);
                engine.GetString(cmdId, text, kTimeoutMs);
                break;
            case 4:
                program.SendUnasked(bytes);
                engine.OnTimer();
                break;
            default:
                program.SendUnasked(bytes);
                engine.WaitComplete(kTimeoutMs);
                break;
        }
    }
    return 0;
}
