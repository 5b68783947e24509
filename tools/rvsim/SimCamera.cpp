#include "tools/rvsim/SimCamera.h"
#include "core/WholeNumber.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "tools/rvsim/BaudRate.h"
#include "tools/rvsim/CommandRule.h"

namespace {

using CommandTable::IdOf;

constexpr int kCBDRT = IdOf("CBDRT");
constexpr int kCRS00 = IdOf("CRS00");
constexpr int kVN = IdOf("VN");
constexpr int kPV = IdOf("PV");
constexpr int kID = IdOf("ID");
constexpr int kUD = IdOf("UD");
constexpr int kMD = IdOf("MD");
constexpr int kDV = IdOf("DV");
constexpr int kLR = IdOf("LR");
constexpr int kAR = IdOf("AR");
constexpr int kAL = IdOf("AL");
constexpr int kARMIN = IdOf("ARMIN");
constexpr int kPEMAX = IdOf("PEMAX");
constexpr int kPEMIN = IdOf("PEMIN");
constexpr int kLUTI = IdOf("LUTI");
constexpr int kLUTD = IdOf("LUTD");
constexpr int kTMP0 = IdOf("TMP0");
constexpr int kTMPS0 = IdOf("TMPS0");
constexpr int kLD = IdOf("LD");
constexpr int kSA = IdOf("SA");
constexpr int kEA = IdOf("EA");
constexpr int kSA00 = IdOf("SA00");
constexpr int kULCK = IdOf("ULCK");
constexpr int kID00 = IdOf("ID00");
constexpr int kMD00 = IdOf("MD00");
constexpr int kBAS00 = IdOf("BAS00");
constexpr int kXMLVR = IdOf("XMLVR");
constexpr int kDV00 = IdOf("DV00");

constexpr int32_t kExposureMinimum = 100;  // PE units of 10 ns
constexpr int32_t kExposureMargin = 100;   // the exposure ends this long before the next line

SimCamera::Clock::duration Seconds(double seconds) {
    return std::chrono::duration_cast<SimCamera::Clock::duration>(
        std::chrono::duration<double>(seconds));
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

std::string UpperCase(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return upper;
}

// A decimal integer with an optional sign, blanks around it allowed; nothing else.
bool ParseInteger(std::string_view text, int32_t& value) {
    const std::optional<int64_t> parsed = WholeNumber(text, INT32_MIN, INT32_MAX);
    if (!parsed) {
        return false;
    }
    value = static_cast<int32_t>(*parsed);
    return true;
}

}  // namespace

SimCamera::SimCamera(const CameraConfig& config, const CameraMemory& memory, int startBaud,
                     TimePoint now)
    : config_(config), memory_(memory) {
    const char* pairs[][2] = {{"SDR", "SDS"},     {"PGR", "PGS"},     {"PBR", "PBS"},
                              {"SDR00", "SDS00"}, {"PGR00", "PGS00"}, {"PBR00", "PBS00"}};
    for (const auto& pair : pairs) {
        calibrations_.push_back({IdOf(pair[0]), IdOf(pair[1])});
    }
    PowerUp(startBaud, now);
}

void SimCamera::PowerUp(int baudOverride, TimePoint now) {
    const int32_t boot =
        memory_.bootArea >= 0 && memory_.bootArea < kAreaCount ? memory_.bootArea : 0;
    current_ = memory_.areas[boot];
    currentArea_ = boot;
    baud_ = BaudRate::FromCode(current_.values[kCBDRT]);
    if (baudOverride != 0) {
        baud_ = baudOverride;
    }
    if (baud_ == 0) {
        baud_ = BaudRate::kDefaultRate;
    }
    current_.values[kCBDRT] = BaudRate::ToCode(baud_);
    lutIndex_ = 0;
    unlockedForNextLine_ = false;
    resetting_ = false;
    poweredUpAt_ = now;
    for (Calibration& calibration : calibrations_) {
        calibration.started = false;
    }
}

void SimCamera::Tick(TimePoint now) {
    if (resetting_ && now >= resetEnd_) {
        PowerUp(0, now);
    }
}

bool SimCamera::TakeMemoryChanged() {
    const bool changed = memoryChanged_;
    memoryChanged_ = false;
    return changed;
}

std::optional<std::string> SimCamera::HandleLine(std::string_view line, TimePoint now) {
    Tick(now);
    if (resetting_) {
        return std::nullopt;
    }
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty()) {
        return std::nullopt;
    }
    // The unlock holds for the very next line only.
    const bool unlocked = unlockedForNextLine_;
    unlockedForNextLine_ = false;

    const std::size_t separator = trimmed.find_first_of("=?");
    if (separator == std::string_view::npos) {
        return CameraAnswer::kUnknownCommand;
    }
    const int id = IdOf(UpperCase(Trim(trimmed.substr(0, separator))));
    if (id < 0) {
        return CameraAnswer::kUnknownCommand;
    }
    if (trimmed[separator] == '?') {
        if (!Trim(trimmed.substr(separator + 1)).empty()) {
            return CameraAnswer::kUnknownCommand;
        }
        return Query(id, now);
    }
    // Text values keep their blanks; only the line's own CR is not part of them.
    std::string_view value = line.substr(line.find('=') + 1);
    while (!value.empty() && value.back() == '\r') {
        value.remove_suffix(1);
    }
    std::string answer = Set(id, value, unlocked, now);
    if (IsMuted(id)) {
        return std::nullopt;  // applied, but the answer is lost
    }
    return answer;
}

std::string SimCamera::Query(int id, TimePoint now) const {
    const std::string prefix = std::string(CommandTable::kCommands[id].mnemonic) + "=";
    if (CommandTable::kCommands[id].kind != kTextValue) {
        return prefix + std::to_string(IntegerValue(id, now));
    }
    if (id == kID || id == kID00) {
        return prefix + memory_.cameraId;
    }
    if (id == kUD) {
        return prefix + memory_.userId;
    }
    if (id == kMD || id == kMD00) {
        return prefix + memory_.model;
    }
    if (id == kDV || id == kDV00) {
        return prefix + memory_.deviceVersion;
    }
    return prefix + keptText_[id];
}

int32_t SimCamera::IntegerValue(int id, TimePoint now) const {
    if (CommandRules::Of(id).inArea) {
        return current_.values[id];
    }
    switch (id) {
        case kVN:
            return kFirmwareVersion;
        case kPV:
            return kFpgaVersion;
        case kLUTI:
            return lutIndex_;
        case kLUTD:
            return current_.lut[lutIndex_];
        case kBAS00:
            return memory_.bootArea;
        case kEA:
            return currentArea_;
        case kXMLVR:
            return memory_.xmlVersion;
        case kTMP0:
            return Temperature(now);
        case kARMIN:
            return LineRateMinimum();
        case kPEMIN:
            return kExposureMinimum;
        case kPEMAX:
            return std::max(kExposureMinimum, current_.values[kLR] - kExposureMargin);
        case kULCK:
            return 0;  // the access code is never told
        default:
            break;
    }
    for (const Calibration& calibration : calibrations_) {
        if (calibration.statusId == id) {
            return CalibrationStatus(id, now);
        }
    }
    return kept_[id];
}

std::string SimCamera::Set(int id, std::string_view valueText, bool unlocked, TimePoint now) {
    const CommandRule& rule = CommandRules::Of(id);
    if (rule.kind == RuleKind::kReadOnly) {
        return CameraAnswer::kUnknownCommand;  // the camera has no set of it
    }
    if (IsRefused(id)) {
        return CameraAnswer::kRefused;
    }
    if (id == kID00 && !unlocked) {
        return CameraAnswer::kLocked;
    }
    if (CommandTable::kCommands[id].kind == kTextValue) {
        if (!rule.AcceptsText(valueText)) {
            return CameraAnswer::kOutOfRange;
        }
        SetText(id, std::string(valueText));
        return CameraAnswer::kComplete;
    }
    int32_t value = 0;
    if (!ParseInteger(valueText, value) || !rule.AcceptsInteger(value)) {
        return CameraAnswer::kOutOfRange;
    }
    return SetInteger(id, value, now);
}

void SimCamera::SetText(int id, const std::string& text) {
    if (id == kUD) {
        memory_.userId = text;
    } else if (id == kID00) {
        memory_.cameraId = text;
    } else if (id == kMD00) {
        memory_.model = text;
    } else if (id == kDV00) {
        memory_.deviceVersion = text;
    } else if (id == kDV) {
        return;  // acknowledged only
    } else {
        keptText_[id] = text;
        return;
    }
    memoryChanged_ = true;
}

std::string SimCamera::SetInteger(int id, int32_t value, TimePoint now) {
    switch (id) {
        case kCBDRT:
            // The answer still goes out at the old rate; the caller sends it before switching.
            current_.values[id] = value;
            baud_ = BaudRate::FromCode(value);
            return CameraAnswer::kComplete;
        case kULCK:
            if (value != kAccessCode) {
                return CameraAnswer::kLocked;
            }
            unlockedForNextLine_ = true;
            return CameraAnswer::kComplete;
        case kLUTI:
            lutIndex_ = value;
            return CameraAnswer::kComplete;
        case kLUTD:
            current_.lut[lutIndex_] = value;
            return CameraAnswer::kComplete;
        case kSA:
        case kSA00:
            memory_.areas[value] = current_;
            currentArea_ = value;
            memoryChanged_ = true;
            return CameraAnswer::kComplete;
        case kLD: {
            // The serial rate changes only by CBDRT and at power-up, never under a host's feet.
            const int32_t rateCode = current_.values[kCBDRT];
            current_ = memory_.areas[value];
            current_.values[kCBDRT] = rateCode;
            currentArea_ = value;
            return CameraAnswer::kComplete;
        }
        case kBAS00:
            memory_.bootArea = value;
            memoryChanged_ = true;
            return CameraAnswer::kComplete;
        case kXMLVR:
            memory_.xmlVersion = value;
            memoryChanged_ = true;
            return CameraAnswer::kComplete;
        case kAR:
            // One-push: the camera settles on a line period from its reference.
            current_.values[kLR] = LineRateMinimum() + 10 * current_.values[kAL];
            return CameraAnswer::kComplete;
        case kCRS00:
            resetting_ = true;
            resetEnd_ = now + Seconds(config_.resetSeconds);
            return CameraAnswer::kComplete;
        default:
            break;
    }
    for (Calibration& calibration : calibrations_) {
        if (calibration.startId == id) {
            calibration.started = true;
            calibration.readyAt = now + Seconds(config_.calibSeconds);
            return CameraAnswer::kComplete;
        }
    }
    if (CommandRules::Of(id).inArea) {
        current_.values[id] = value;
    } else {
        kept_[id] = value;
    }
    return CameraAnswer::kComplete;
}

int32_t SimCamera::CalibrationStatus(int statusId, TimePoint now) const {
    for (const Calibration& calibration : calibrations_) {
        if (calibration.statusId == statusId && calibration.started) {
            return now < calibration.readyAt ? 0 : config_.calibResult;
        }
    }
    return 1;  // calibrated at the factory
}

int32_t SimCamera::Temperature(TimePoint now) const {
    // Sensor, sensor board bottom, interface board bottom, FPGA; warming up over six minutes.
    static constexpr int32_t kBase[] = {42, 38, 40, 51};
    const int32_t sensor = std::clamp(current_.values[kTMPS0], 0, 3);
    const auto minutes = std::chrono::duration_cast<std::chrono::minutes>(now - poweredUpAt_);
    return kBase[sensor] + static_cast<int32_t>(std::min<int64_t>(minutes.count(), 6));
}

int32_t SimCamera::LineRateMinimum() const {
    // The 8K sensor reads twice the pixels per line.
    return memory_.model.find("4820") != std::string::npos ? 2800 : 1400;
}

bool SimCamera::IsMuted(int id) const {
    return std::find(config_.mutedIds.begin(), config_.mutedIds.end(), id) !=
           config_.mutedIds.end();
}

bool SimCamera::IsRefused(int id) const {
    return std::find(config_.refusedIds.begin(), config_.refusedIds.end(), id) !=
           config_.refusedIds.end();
}
