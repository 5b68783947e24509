#include "platform/PortInUseText.h"

std::string PortInUseText(long processId) {
    std::string text = "The port is in use by another program";
    if (processId > 0) {
        text += " (process " + std::to_string(processId) + ")";
    }
    return text + ".";
}
