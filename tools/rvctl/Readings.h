#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "operations/CameraReadings.h"

// What the pages' "Read" and "Get" buttons ask for: values the camera tells and never takes,
// named on rvctl's command line as the camera names them (TMP0, PEMAX, ...).
using Reading = CameraReadings::Reading;

namespace Readings {

const std::vector<Reading>& All();
// By its mnemonic in any letter case; nothing for any other name.
const Reading* Find(const std::string& name);
// The temperature is of the sensor the stored setting TMPS0 chooses.
bool IsTemperature(const Reading& reading);

}  // namespace Readings
