#include "tools/rvsim/CameraMemory.h"

CameraMemory CameraMemory::FactoryNew(const std::string& model, int32_t baudCode) {
    CameraMemory memory;
    memory.areas.fill(CameraSettings::PowerUpDefaults(baudCode));
    memory.bootArea = 0;
    memory.model = model;
    memory.cameraId = "SIM0000001";
    memory.userId = "";
    memory.deviceVersion = "1.0.2.7";
    memory.xmlVersion = 100;
    return memory;
}
