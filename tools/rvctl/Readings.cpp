#include "tools/rvctl/Readings.h"

#include <algorithm>
#include <cctype>

#include "operations/CameraReadings.h"

namespace Readings {

const std::vector<Reading>& All() {
    return CameraReadings::All();
}

const Reading* Find(const std::string& name) {
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    for (const Reading& reading : All()) {
        if (upper == reading.mnemonic) {
            return &reading;
        }
    }
    return nullptr;
}

bool IsTemperature(const Reading& reading) {
    return reading.read == CameraReadings::Temperature;
}

}  // namespace Readings
