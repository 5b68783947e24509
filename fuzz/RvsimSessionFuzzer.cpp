// rvsim's handling of what the host sends. The first byte picks the faults; then come chunks
// of received bytes, each up to a 0xFF byte, whose first byte picks the host's rate (low three
// bits) and how much time passes before it (the rest, in quarter seconds), so that resets and
// calibrations run their course too.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "tools/rvsim/BaudRate.h"
#include "tools/rvsim/CameraMemory.h"
#include "tools/rvsim/CameraSession.h"
#include "tools/rvsim/ReplyShaper.h"
#include "tools/rvsim/SimCamera.h"
#include "tools/rvsim/Transcript.h"

namespace {

constexpr uint8_t kChunkEnd = 0xFF;
// The five rates, one the camera never uses, and a line with no rate at all.
const int kHostRates[8] = {9600, 19200, 38400, 57600, 115200, 4800, 0, 9600};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    FaultConfig faults;
    faults.dropEvery = data[0] & 3;
    faults.garbageEvery = (data[0] >> 2) & 3;
    faults.noLfAfter = (data[0] & 0x80) != 0 ? 40 : -1;
    CameraConfig config;
    config.calibSeconds = 1.0;
    config.resetSeconds = 1.0;

    SimCamera::TimePoint now{};
    SimCamera camera(config, CameraMemory::FactoryNew("RV-2410M-TCL", BaudRate::ToCode(9600)), 0,
                     now);
    Transcript transcript;  // without a file it writes nothing
    CameraSession session(camera, faults, transcript, std::string());

    size_t pos = 1;
    while (pos < size) {
        const uint8_t head = data[pos];
        size_t end = pos + 1;
        while (end < size && data[end] != kChunkEnd) {
            ++end;
        }
        const std::string bytes(reinterpret_cast<const char*>(data) + pos + 1, end - pos - 1);
        pos = end + 1;
        now += std::chrono::milliseconds(250 * (head >> 3));
        session.Tick(now);
        session.Receive(bytes, kHostRates[head & 7], now);
    }
    return 0;
}
