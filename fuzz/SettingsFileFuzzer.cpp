// The settings file reader. The input is a value name, a zero byte, a text, a zero byte and
// the file's content. Every value is read through the store, then the text is written under
// the name (and a number under the name with " #" added) and must read back unchanged, with
// the other value untouched.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>

#include "core/ProcessContext.h"
#include "core/SettingsBackend.h"
#include "core/SettingsStore.h"
#include "fuzz/ScratchFolder.h"
#include "platform/posix/FileSettingsBackend.h"

namespace {

// The next part up to a zero byte (or the end), which it takes too.
std::string TakePart(const char*& pos, const char* end) {
    const char* stop = static_cast<const char*>(std::memchr(pos, 0, end - pos));
    const std::string part(pos, stop ? stop : end);
    pos = stop ? stop + 1 : end;
    return part;
}

void ReadEveryValue(FileSettingsBackend& backend) {
    ProcessContext context;
    context.ProvideExternal<SettingsBackend>(backend);
    SettingsStore& store = context.Get<SettingsStore>();
    for (int index = 0; index < kSettingCount; ++index) {
        int32_t value = 0;
        store.ReadDword(index, value, 0);
        std::string text;
        store.ReadPath(index, text);
    }
}

bool HoldsText(FileSettingsBackend& backend, const std::string& name, const std::string& text) {
    const std::optional<StoredValue> stored = backend.Read(name);
    return stored && !stored->isDword && stored->text == text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* pos = reinterpret_cast<const char*>(data);
    const char* end = pos + size;
    const std::string name = TakePart(pos, end);
    const std::string text = TakePart(pos, end);
    const std::string path = ScratchFolder() + "/settings.ini";
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(pos, end - pos);

    FileSettingsBackend backend(path);
    ReadEveryValue(backend);
    backend.Read(name);

    const std::string numberName = name + " #";
    uint32_t number = 0;
    std::memcpy(&number, text.data(), std::min(text.size(), sizeof number));
    if (backend.WriteText(name, text) && !HoldsText(backend, name, text)) {
        abort();
    }
    if (backend.WriteDword(numberName, number)) {
        const std::optional<StoredValue> stored = backend.Read(numberName);
        if (!stored || !stored->isDword || stored->dword != number ||
            !HoldsText(backend, name, text)) {
            abort();
        }
    }
    return 0;
}
