// The camera settings file (.cam) reader: the file is loaded into a camera in user mode and
// again in factory mode, then the pages are brought up to date. The camera is an engine of the
// harness's own that takes every value and reports the model it was last given.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "core/ControlMode.h"
#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "core/SettingsBackend.h"
#include "fuzz/ScratchFolder.h"
#include "operations/CameraFile.h"
#include "protocol/CommandEngine.h"
#include "protocol/CommandIds.h"
#include "tests/support/RecordingSettingsBackend.h"

namespace {

class AcceptingCamera : public CommandEngine {
public:
    bool SetValue(int, int32_t, int) override {
        ++sets;
        return true;
    }
    bool SetString(int cmdId, const std::string& text, int) override {
        ++sets;
        if (cmdId == CommandIds::kMD00) {
            model_ = text;
        }
        return true;
    }
    bool GetValue(int, int32_t&, int) override { return false; }
    bool GetString(int cmdId, std::string& text, int) override {
        text = cmdId == CommandIds::kMD ? model_ : std::string();
        return cmdId == CommandIds::kMD;
    }

    int sets = 0;

private:
    std::string model_ = "RV-2410M-TCL";
};

// Every line ends in a CR or an LF but the last, so a file has at most one line more than it has
// of those: a line is sent whole or not at all, never in pieces.
int MostLines(const uint8_t* data, size_t size) {
    int lines = 1;
    for (size_t i = 0; i < size; ++i) {
        lines += data[i] == '\r' || data[i] == '\n' ? 1 : 0;
    }
    return lines;
}

void Load(const std::string& path, int32_t mode, int mostLines) {
    RecordingSettingsBackend settings;
    AcceptingCamera camera;
    ProcessContext context;
    context.ProvideExternal<SettingsBackend>(settings);
    context.ProvideExternal<CommandEngine>(camera);
    context.Get<ControlMode>().Set(mode);
    const CameraFile::LoadSummary summary = CameraFile::LoadSettingsFile(context, path, nullptr);
    // A file refused whole sends nothing; every refusal is one of the lines sent.
    if ((!summary.opened && camera.sets > 0) ||
        summary.refused.size() > static_cast<std::size_t>(summary.linesSent) ||
        summary.linesSent > mostLines) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = ScratchFolder() + "/settings.cam";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    Load(path, 0, MostLines(data, size));
    Load(path, 1, MostLines(data, size));
    return 0;
}
