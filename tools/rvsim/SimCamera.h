#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/CommandTable.h"
#include "tools/rvsim/CameraMemory.h"
#include "tools/rvsim/CameraSettings.h"

// Answers of the camera other than values.
namespace CameraAnswer {
constexpr const char* kComplete = "COMPLETE";
constexpr const char* kUnknownCommand = "Error: Unknown command";
constexpr const char* kOutOfRange = "Error: Out of range";
constexpr const char* kLocked = "Error: Locked";
constexpr const char* kRefused = "Error: Refused";
}  // namespace CameraAnswer

struct CameraConfig {
    double calibSeconds = 3.0;    // a calibration reports busy this long
    int32_t calibResult = 1;      // then this status code
    double resetSeconds = 5.0;    // silence after CRS00
    std::vector<int> refusedIds;  // every set of these commands is refused
    std::vector<int> mutedIds;    // every set of these commands is applied but not answered
};

// The camera as seen from its side of the protocol: it is handed one received line at a time
// and gives the line it answers. It keeps the running settings, the flash memory, the serial
// rate, the calibrations in progress and a reset in progress. Time is passed in, so that tests
// can step through timelines without waiting.
class SimCamera {
public:
    using Clock = std::chrono::steady_clock;
    using TimePoint = Clock::time_point;

    static constexpr int32_t kAccessCode = 5086213;   // ULCK value that allows one ID00
    static constexpr int32_t kFirmwareVersion = 102;  // VN, read by hosts as 1.02
    static constexpr int32_t kFpgaVersion = 215;      // PV, read by hosts as 2.15

    // Powers up: the boot area becomes the running settings. startBaud 0 takes the rate
    // stored in the boot area; any other value overrides it.
    SimCamera(const CameraConfig& config, const CameraMemory& memory, int startBaud, TimePoint now);

    // One received line without its line end. No answer for an empty line or while the
    // camera resets.
    std::optional<std::string> HandleLine(std::string_view line, TimePoint now);

    // Ends a reset whose silence is over: the camera comes back powered up.
    void Tick(TimePoint now);

    bool IsListening(TimePoint now) const { return !resetting_ || now >= resetEnd_; }
    bool IsResetting() const { return resetting_; }
    TimePoint ResetEnd() const { return resetEnd_; }

    int BaudRate() const { return baud_; }
    int32_t CurrentArea() const { return currentArea_; }
    const CameraSettings& Current() const { return current_; }
    const CameraMemory& Memory() const { return memory_; }

    // True once after every change of the flash memory, so that the owner can save it.
    bool TakeMemoryChanged();

private:
    struct Calibration {
        int startId;
        int statusId;
        bool started = false;
        TimePoint readyAt{};
    };

    void PowerUp(int baudOverride, TimePoint now);
    std::string Query(int id, TimePoint now) const;
    std::string Set(int id, std::string_view valueText, bool unlocked, TimePoint now);
    std::string SetInteger(int id, int32_t value, TimePoint now);
    void SetText(int id, const std::string& text);
    int32_t IntegerValue(int id, TimePoint now) const;
    int32_t CalibrationStatus(int statusId, TimePoint now) const;
    int32_t Temperature(TimePoint now) const;
    int32_t LineRateMinimum() const;
    bool IsRefused(int id) const;
    bool IsMuted(int id) const;

    CameraConfig config_;
    CameraMemory memory_;
    CameraSettings current_;
    int baud_ = 9600;
    int32_t currentArea_ = 0;
    int32_t lutIndex_ = 0;
    bool unlockedForNextLine_ = false;
    bool resetting_ = false;
    bool memoryChanged_ = false;
    TimePoint resetEnd_{};
    TimePoint poweredUpAt_{};
    std::vector<Calibration> calibrations_;
    std::array<int32_t, CommandTable::kCommandCount> kept_{};  // commands without a setting
    std::array<std::string, CommandTable::kCommandCount> keptText_{};
};
