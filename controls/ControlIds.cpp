#include "controls/ControlIds.h"

#include <cctype>

namespace ControlIds {

std::string ObjectName(int32_t id) {
    std::string name;
    switch (id) {
#define RV_CONTROL_ID_NAME(constant, value) \
    case value:                             \
        name = #constant;                   \
        break;
        RV_CONTROL_IDS(RV_CONTROL_ID_NAME)
#undef RV_CONTROL_ID_NAME
        default:
            return name;
    }
    name[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[0])));
    return name;
}

}  // namespace ControlIds
