#pragma once

#include <string>

// Text from the camera made safe for a terminal: control characters (other than line break and
// tab), DEL, the C1 controls and bytes that are not UTF-8 are written as \xHH, so that a camera
// or a line sending escape sequences cannot clear, retitle or otherwise rewrite the operator's
// terminal. Printable ASCII and UTF-8 (a file name, say) stay as they are.
std::string PrintableText(const std::string& text);
