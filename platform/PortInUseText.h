#pragma once

#include <string>

// The line that tells the operator another program holds the port; processId 0 when the
// system does not say which one.
std::string PortInUseText(long processId);
