#include "transport/ClSerialAdapter.h"

std::string ClSerialAdapter::GetPortName(int32_t index) const {
    return index >= 0 && index < static_cast<int32_t>(names_.size()) ? names_[index]
                                                                     : std::string();
}

bool ClSerialAdapter::SetSupportedBaudRate(const ClSerialLink& link,
                                           ClGetSupportedBaudRatesFunction getSupported,
                                           ClSetBaudRateFunction set, int32_t baudRate) {
    const uint32_t bit = ClBaudRateBit(baudRate);
    uint32_t supported = 0;
    if (getSupported(link.Reference(), &supported) != 0 || (supported & bit) == 0) {
        return false;
    }
    set(link.Reference(), bit);
    return true;
}
