#pragma once

#include <optional>
#include <string>

// The names a port of the COM category goes by: "COM<n>" (COM1 ... COM256, in any letter case,
// spelt "COM3" from then on), a device path or any symlink to one ("/dev/ttyUSB0",
// "/dev/serial/by-id/..."), and the network names of serial device servers
// ("socket://HOST:PORT", "rfc2217://HOST:PORT"). The name as it is to be kept, or nothing for
// a text that is none of these.
std::optional<std::string> CanonicalPortName(const std::string& text);

// Whether a name is a serial device server's ("socket://...", "rfc2217://...").
bool IsNetworkPortName(const std::string& name);
