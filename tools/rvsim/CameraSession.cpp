#include "tools/rvsim/CameraSession.h"

#include <cstdio>
#include <utility>

#include "tools/rvsim/StateFile.h"

CameraSession::CameraSession(SimCamera& camera, const FaultConfig& faults, Transcript& transcript,
                             std::string statePath)
    : camera_(camera), shaper_(faults), transcript_(transcript), statePath_(std::move(statePath)) {}

void CameraSession::Tick(TimePoint now) {
    const bool wasResetting = camera_.IsResetting();
    camera_.Tick(now);
    if (wasResetting && !camera_.IsResetting()) {
        transcript_.Note(now, "reset over: area " + std::to_string(camera_.CurrentArea()) +
                                  " loaded, " + std::to_string(camera_.BaudRate()) + " bit/s");
    }
}

void CameraSession::Discard(std::string_view why, std::size_t count, TimePoint now) {
    assembler_.Clear();
    transcript_.Note(now, std::to_string(count) + " bytes not understood: " + std::string(why));
}

std::vector<Outgoing> CameraSession::Receive(std::string_view bytes, int hostBaud, TimePoint now) {
    std::vector<Outgoing> out;
    Tick(now);
    if (!camera_.IsListening(now)) {
        Discard("the camera is resetting", bytes.size(), now);
        return out;
    }
    if (hostBaud != camera_.BaudRate()) {
        Discard("host at " + std::to_string(hostBaud) + " bit/s, camera at " +
                    std::to_string(camera_.BaudRate()) + " bit/s",
                bytes.size(), now);
        return out;
    }
    const std::vector<ReceivedLine> lines = assembler_.Feed(bytes);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ReceivedLine& line = lines[i];
        transcript_.Received(now, line.text);
        const int baudBefore = camera_.BaudRate();
        std::optional<std::string> answer;
        if (line.overlong) {
            transcript_.Note(now, "line longer than 256 bytes; its rest was lost");
            if (!overlongReported_) {
                std::fprintf(stderr,
                             "rvsim: received a line longer than %zu bytes; answered as an "
                             "unknown command (further ones only in the transcript)\n",
                             LineAssembler::kMaxLineLength);
                overlongReported_ = true;
            }
            answer = CameraAnswer::kUnknownCommand;
        } else {
            answer = camera_.HandleLine(line.text, now);
        }
        if (camera_.TakeMemoryChanged()) {
            SaveState();
        }
        if (answer) {
            ShapedAnswer shaped = shaper_.Shape(*answer);
            if (!shaped.note.empty()) {
                transcript_.Note(now, shaped.note);
            }
            if (!shaped.bytes.empty()) {
                out.push_back({std::move(shaped.bytes), baudBefore});
            }
        }
        if (camera_.BaudRate() != baudBefore || camera_.IsResetting()) {
            // Whatever followed was sent for the camera as it was before the switch.
            const std::size_t rest = lines.size() - i - 1;
            if (rest > 0 || assembler_.PendingBytes() > 0) {
                transcript_.Note(
                    now, std::to_string(rest) + " more lines not understood after the switch");
            }
            assembler_.Clear();
            break;
        }
    }
    return out;
}

bool CameraSession::SaveState() {
    if (statePath_.empty()) {
        return true;
    }
    std::string error;
    if (!StateFile::Save(statePath_, camera_.Memory(), error)) {
        if (error != lastSaveError_) {
            std::fprintf(stderr,
                         "rvsim: %s; the camera runs on, but this change will not "
                         "survive a restart\n",
                         error.c_str());
            lastSaveError_ = error;
        }
        return false;
    }
    lastSaveError_.clear();
    return true;
}
