// rvsim's state file reader. A file it takes must be written back and read again to the same
// flash memory.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "fuzz/ScratchFolder.h"
#include "tools/rvsim/BaudRate.h"
#include "tools/rvsim/CameraMemory.h"
#include "tools/rvsim/StateFile.h"

namespace {

bool Same(const CameraMemory& a, const CameraMemory& b) {
    return a.areas == b.areas && a.bootArea == b.bootArea && a.model == b.model &&
           a.cameraId == b.cameraId && a.userId == b.userId && a.deviceVersion == b.deviceVersion &&
           a.xmlVersion == b.xmlVersion;
}

CameraMemory FactoryNew() {
    return CameraMemory::FactoryNew("RV-2410M-TCL", BaudRate::ToCode(9600));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = ScratchFolder() + "/camera.state";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    CameraMemory memory = FactoryNew();
    std::string error;
    if (StateFile::Load(path, memory, error) != StateLoad::kLoaded) {
        return 0;
    }
    const std::string again = ScratchFolder() + "/again.state";
    CameraMemory reread = FactoryNew();
    if (!StateFile::Save(again, memory, error) ||
        StateFile::Load(again, reread, error) != StateLoad::kLoaded || !Same(memory, reread)) {
        abort();
    }
    return 0;
}
