#include "tools/rvsim/StateFile.h"
#include "core/WholeNumber.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "tools/rvsim/CommandRule.h"
#include "tools/rvsim/TextEscape.h"

namespace {

constexpr const char* kHeader =
    "# rvsim camera state, written by rvsim; edit only while it is stopped";

bool ParseNumber(const std::string& text, int32_t& value) {
    const std::optional<int64_t> parsed = WholeNumber(text, INT32_MIN, INT32_MAX);
    if (!parsed) {
        return false;
    }
    value = static_cast<int32_t>(*parsed);
    return true;
}

std::string AreaKey(int area, const char* name) {
    return "area" + std::to_string(area) + "." + name;
}

void WriteArea(std::ostringstream& out, int area, const CameraSettings& settings) {
    for (int id = 0; id < CommandTable::kCommandCount; ++id) {
        if (CommandRules::Of(id).inArea) {
            out << AreaKey(area, CommandTable::kCommands[id].mnemonic) << '=' << settings.values[id]
                << '\n';
        }
    }
    out << AreaKey(area, "LUT") << '=';
    for (int i = 0; i < kLutSize; ++i) {
        out << (i ? " " : "") << settings.lut[i];
    }
    out << '\n';
}

bool ReadLut(const std::string& text, CameraSettings& settings) {
    std::istringstream in(text);
    for (int i = 0; i < kLutSize; ++i) {
        std::string item;
        int32_t level = 0;
        if (!(in >> item) || !ParseNumber(item, level) || level < 0 || level > kLutMaxLevel) {
            return false;
        }
        settings.lut[i] = level;
    }
    std::string extra;
    return !(in >> extra);
}

// One "areaN.MNEMONIC" key; false with a reason when the key or the value is not acceptable.
bool ReadAreaValue(const std::string& key, const std::string& value, CameraMemory& memory,
                   std::string& reason) {
    const int area = key[4] - '0';
    if (key.size() < 7 || area < 0 || area >= kAreaCount || key[5] != '.') {
        reason = "unknown key";
        return false;
    }
    const std::string name = key.substr(6);
    CameraSettings& settings = memory.areas[area];
    if (name == "LUT") {
        if (!ReadLut(value, settings)) {
            reason = "the LUT needs 256 levels from 0 to 4095";
            return false;
        }
        return true;
    }
    const int id = CommandTable::IdOf(name);
    int32_t number = 0;
    if (id < 0 || !CommandRules::Of(id).inArea) {
        reason = "unknown key";
        return false;
    }
    if (!ParseNumber(value, number) || !CommandRules::Of(id).AcceptsInteger(number)) {
        reason = "value not accepted by the camera";
        return false;
    }
    settings.values[id] = number;
    return true;
}

bool ReadEntry(const std::string& key, const std::string& value, CameraMemory& memory,
               std::string& reason) {
    std::string text;
    if (key == "model" || key == "camera_id" || key == "user_id" || key == "device_version") {
        if (!UnescapeText(value, text)) {
            reason = "malformed escape";
            return false;
        }
        std::string& target = key == "model"       ? memory.model
                              : key == "camera_id" ? memory.cameraId
                              : key == "user_id"   ? memory.userId
                                                   : memory.deviceVersion;
        target = text;
        return true;
    }
    if (key == "boot_area" || key == "xml_version") {
        const int id = CommandTable::IdOf(key == "boot_area" ? "BAS00" : "XMLVR");
        int32_t number = 0;
        if (!ParseNumber(value, number) || !CommandRules::Of(id).AcceptsInteger(number)) {
            reason = "value not accepted by the camera";
            return false;
        }
        (key == "boot_area" ? memory.bootArea : memory.xmlVersion) = number;
        return true;
    }
    if (key.rfind("area", 0) == 0 && key.size() > 4) {
        return ReadAreaValue(key, value, memory, reason);
    }
    reason = "unknown key";
    return false;
}

}  // namespace

StateLoad StateFile::Load(const std::string& path, CameraMemory& memory, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        if (errno == ENOENT) {
            return StateLoad::kMissing;
        }
        error = "cannot read state file " + path + ": " + std::strerror(errno);
        return StateLoad::kFailed;
    }
    CameraMemory loaded = memory;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const std::size_t equals = line.find('=');
        std::string reason = "no '=' in the line";
        if (equals == std::string::npos ||
            !ReadEntry(line.substr(0, equals), line.substr(equals + 1), loaded, reason)) {
            error = "state file " + path + ", line " + std::to_string(number) + ": " + reason;
            return StateLoad::kFailed;
        }
    }
    if (in.bad()) {
        error = "cannot read state file " + path;
        return StateLoad::kFailed;
    }
    memory = loaded;
    return StateLoad::kLoaded;
}

bool StateFile::Save(const std::string& path, const CameraMemory& memory, std::string& error) {
    std::ostringstream out;
    out << kHeader << '\n'
        << "model=" << EscapeText(memory.model) << '\n'
        << "camera_id=" << EscapeText(memory.cameraId) << '\n'
        << "user_id=" << EscapeText(memory.userId) << '\n'
        << "device_version=" << EscapeText(memory.deviceVersion) << '\n'
        << "xml_version=" << memory.xmlVersion << '\n'
        << "boot_area=" << memory.bootArea << '\n';
    for (int area = 0; area < kAreaCount; ++area) {
        WriteArea(out, area, memory.areas[area]);
    }
    const std::string text = out.str();

    const std::string temporary = path + ".tmp" + std::to_string(getpid());
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = "cannot write state file " + temporary + ": " + std::strerror(errno);
        return false;
    }
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            error = "cannot write state file " + temporary + ": " + std::strerror(errno);
            close(fd);
            unlink(temporary.c_str());
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    const bool synced = fsync(fd) == 0;
    const int syncError = errno;
    if (close(fd) != 0 || !synced) {
        error = "cannot write state file " + temporary + ": " +
                std::strerror(synced ? errno : syncError);
        unlink(temporary.c_str());
        return false;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = "cannot replace state file " + path + ": " + std::strerror(errno);
        unlink(temporary.c_str());
        return false;
    }
    return true;
}
