#pragma once

#include <cstdint>

#include "transport/CameraPort.h"

class MainView;
class ProcessContext;

namespace LinkWatch {

// One tick of the watch over the camera's link, from the program's periodic timer: a device
// that went away is told and looked for (CameraPort::CheckLink); once it is back the camera is
// read again as "Reload" does, so that the pages show what it holds now. Waits while a request
// runs, which has the port.
LinkChange Tick(ProcessContext& context, MainView& view, int32_t& currentArea);

}  // namespace LinkWatch
