#pragma once

#include <memory>
#include <string>

#include "tests/support/ScopedEnvironment.h"

// COM<number> opens the device for the life of this object: through RVTOOL_COM<number> on
// Linux, through the Wine prefix's link of that name under Wine. A device that does not exist
// makes the port one that cannot be opened (under Wine one that fails to be set up: Wine
// falls back to /dev/ttyS<n-1> when the link leads nowhere).
class ScopedComPort {
public:
    ScopedComPort(int number, const std::string& device);
    ~ScopedComPort();
    ScopedComPort(const ScopedComPort&) = delete;
    ScopedComPort& operator=(const ScopedComPort&) = delete;

private:
    // Only Wine's link needs it back, to remove it.
    [[maybe_unused]] int number_;
    std::unique_ptr<ScopedEnvironment> environment_;
};
